#pragma once

#include "files/SchmidTable.h"
#include "files/Session.h"
#include "poles/PoleLists.h"
#include "run/RunState.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>

// The work of a run as files keep it: the session that gives the same
// picture and lists again, and what opening a session or an index list
// makes of the run.

// The free view's record in a session file and the crystal it stands for,
// or why there is none.
FreeViewRecord RecordOf(const Crystal& crystal);
std::variant<Crystal, QString> CrystalOf(const FreeViewRecord& record);
// The second crystal's record, its entries aside, as drawn over first.
SecondRecord RecordOf(const SecondCrystal& second, const Crystal& first);
// The second crystal a record places against first, or why it cannot be.
std::variant<SecondCrystal, QString> SecondOf(const SecondRecord& record, const Crystal& first);

// The session of the run: its view, display settings and entries.
Session SessionOf(const RunState& state);

// What opening a file makes of the run, worked out whole before anything
// changes: the view a session chooses and its settings, and the store with
// every entry plotted as if typed. An index list adds its planes to the
// current plot in the current view. A CIF file's crystal opens in the free
// view, as the crystal dialog would choose it.
struct OpenedWork
{
    bool session = false;
    const ViewRow* row = nullptr; // a session's documented view
    std::optional<Crystal> free; // a session's free view
    std::optional<SecondCrystal> second; // and its second crystal
    // A session's display settings; a line width the file names as no usable
    // width keeps the run's own.
    DisplaySettings display;
    PoleStore store;
    // What the user should know of how the file was read (a CIF file's
    // setting changed); empty when nothing.
    QString note;
    // A session's file, which becomes the run's own.
    RunState::SessionFile sessionFile;
};
// The work, or the first problem (FileMessages) that refuses the file whole.
std::variant<OpenedWork, QString> OpenWork(
    const QString& fileName, const QByteArray& bytes, const RunState& current);
// Takes the opened work into the run.
void Adopt(RunState& state, OpenedWork work);
// The message naming the first entry of the store that the crystal refuses,
// as opening a file with it would name it; empty when it takes them all.
// Only the entries of crystal `of` (0 the first, 1 the second) are asked.
QString FirstRefusedEntry(const PoleStore& store, const Crystal& crystal, int of = 0);
// The store's entries as a file keeps them: the members of a family plotted
// whole, in order, as the family typed, so that opening the file plots them
// again; every other entry as it is.
QList<IndexEntry> TypedEntries(const PoleStore& store, const Crystal& crystal);

// The CSV table of the entries, its columns named as their captions name
// them; with two crystals, a first column says which (1 or 2).
QByteArray CsvOf(const RunState& state);
// The orientation of the crystal as drawn, for scripts: "phi1 Phi phi2",
// Bunge's Euler angles in degrees with six decimals, phi1 and phi2 written
// in [0, 360).
QString OrientationLineOf(const RunState& state);
// The free view's Schmid table as CSV, for a load along axis (none: the
// direction at the centre), or why there is none.
std::variant<QByteArray, QString> SchmidCsvOf(
    const RunState& state, const SlipChoice& slip, const std::optional<Vector3>& axis);
// The table of the second crystal's variants as CSV, every variant
// whichever is shown, or why there is none.
std::variant<QByteArray, QString> VariantsCsvOf(const RunState& state);
// The texts of the two list boxes for the run's entries.
PoleLists ListsOf(const RunState& state);
// The list boxes' texts as files: one line per entry, LF line ends.
QByteArray IndexListFileOf(const RunState& state);
QByteArray AngleListFileOf(const RunState& state);

// Reads a file and opens it: the whole work, or the message that names the
// file and the first problem.
std::variant<OpenedWork, QString> OpenWorkFile(const QString& path, const RunState& current);
