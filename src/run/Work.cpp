#include "run/Work.h"

#include "files/CsvTable.h"
#include "files/FileAccess.h"
#include "files/FileMessages.h"
#include "files/IndexList.h"
#include "plotting/DisplayText.h"
#include "plotting/DrawCommand.h"
#include "poles/EntryGeometry.h"
#include "poles/PoleLists.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace {

// Whether the crystal looks along a lattice direction of whole numbers, as
// one made from a typed centre does, and centre and up make it again.
bool KeptAsCentreAndUp(const Crystal& crystal)
{
    const Vector3 centre = crystal.centre();
    if (!std::all_of(centre.begin(), centre.end(), [](double x) { return x == std::round(x); }))
        return false;
    const std::optional<CrystalOrientation> again
        = CrystalOrientation::FromCentreUp(crystal.lattice, centre, crystal.up());
    return again && MaxDifference(again->matrix(), crystal.orientation.zeroTilt.matrix()) < 1e-12;
}

// The free view's record in a session file and the crystal it stands for.
// A crystal turned off its centre or tilted is kept as its Euler angles at
// zero tilt, at full precision; one that looks along a whole direction,
// untilted, by centre and up, so that the file is written as version 1
// wrote it.
FreeViewRecord RecordOf(const Crystal& crystal)
{
    FreeViewRecord record;
    record.system = crystal.system();
    record.cell = crystal.lattice.parameters();
    record.centre = crystal.centre();
    record.up = crystal.up();
    record.net = crystal.net;
    const HeldOrientation& held = crystal.orientation;
    if (held.tilt != HolderTilt {})
        record.tilt = held.tilt;
    if (held.limits != TiltLimits {})
        record.tiltLimits = held.limits;
    if (record.tilt || !KeptAsCentreAndUp(crystal)) {
        record.euler = held.zeroTilt.euler();
        record.centre = FreeViewRecord().centre;
        record.up.reset();
    }
    return record;
}

// Plots the entries one by one as the draw command plots its numbers, into
// store; the message of the first one it refuses.
QString PlotAll(const QList<IndexEntry>& entries, const Crystal& crystal, PoleStore& store)
{
    if (store.entries().size() + std::size_t(entries.size()) > std::size_t(PoleStore::MaxPoles))
        return FileMessages::TooManyEntries;
    for (qsizetype n = 0; n < entries.size(); ++n) {
        const IndexEntry& entry = entries[n];
        const DrawCommandResult result
            = PlotIndex({ double(entry.index[0]), double(entry.index[1]), double(entry.index[2]) },
                crystal, store, entry.kind);
        if (!result.added) {
            if (result.messages.isEmpty())
                return FileMessages::EntryDirection.arg(n + 1);
            return FileMessages::EntryRefused.arg(n + 1).arg(
                IndexText(entry.kind, entry.index, crystal.fourIndices()),
                result.messages.join(u'、'));
        }
    }
    return {};
}

std::variant<OpenedWork, QString> OpenSession(const QByteArray& bytes, const RunState& current)
{
    const SessionRead read = ReadSession(bytes);
    if (!read.error.isEmpty())
        return read.error;
    const Session& session = read.session;
    OpenedWork work;
    work.session = true;
    // The reader has taken only listed plot sizes.
    work.display.plotSize = ReadPlotSize(session.plotSize).value_or(StartUpDisplay.plotSize);
    work.display.lineWidth = ReadLineWidth(session.lineWidth).value_or(current.display.lineWidth);
    if (const FreeViewRecord* record = std::get_if<FreeViewRecord>(&session.view)) {
        std::variant<Crystal, QString> crystal = CrystalOf(*record);
        if (const QString* why = std::get_if<QString>(&crystal))
            return *why;
        work.free = std::get<Crystal>(std::move(crystal));
    } else {
        work.row = std::get<const ViewRow*>(session.view);
    }
    const Crystal& crystal = work.row ? work.row->scene.crystal : *work.free;
    if (const QString why = PlotAll(session.entries, crystal, work.store); !why.isEmpty())
        return why;
    return work;
}

std::variant<OpenedWork, QString> OpenIndexList(const QByteArray& bytes, const RunState& current)
{
    const Crystal& crystal = current.scene.crystal;
    const IndexListRead read
        = ReadIndexList(bytes, { crystal.fourIndices(), crystal.allowsDirections() });
    if (!read.error.isEmpty())
        return read.error;
    OpenedWork work;
    work.store = current.store;
    if (const QString why = PlotAll(read.entries, crystal, work.store); !why.isEmpty())
        return why;
    return work;
}

} // namespace

Session SessionOf(const RunState& state)
{
    Session session;
    if (state.scene.row)
        session.view = state.scene.row;
    else
        session.view = RecordOf(state.free);
    session.plotSize = QString::number(state.display.plotSize);
    session.lineWidth = QString::number(state.display.lineWidth);
    session.entries.reserve(state.store.PoleCount());
    for (const Entry& entry : state.store.entries())
        session.entries.append(entry);
    return session;
}

std::variant<Crystal, QString> CrystalOf(const FreeViewRecord& record)
{
    std::variant<Crystal, QString> made
        = Crystal::Make(record.system, record.cell, record.centre, record.up, record.net);
    if (Crystal* crystal = std::get_if<Crystal>(&made)) {
        HeldOrientation& held = crystal->orientation;
        if (record.euler)
            held.zeroTilt = CrystalOrientation::FromEuler(*record.euler).value_or(held.zeroTilt);
        held.tilt = record.tilt.value_or(HolderTilt {});
        held.limits = record.tiltLimits.value_or(TiltLimits {});
    }
    return made;
}

std::variant<OpenedWork, QString> OpenWork(
    const QString& fileName, const QByteArray& bytes, const RunState& current)
{
    return IsSessionFileName(fileName) ? OpenSession(bytes, current)
                                       : OpenIndexList(bytes, current);
}

std::variant<OpenedWork, QString> OpenWorkFile(const QString& path, const RunState& current)
{
    const FileRead file = ReadWholeFile(path);
    if (!file.error.isEmpty())
        return OpenFailedMessage(path, file.error);
    std::variant<OpenedWork, QString> work = OpenWork(path, file.bytes, current);
    if (const QString* why = std::get_if<QString>(&work))
        return OpenFailedMessage(path, *why);
    return work;
}

void Adopt(RunState& state, OpenedWork work)
{
    if (work.row)
        state.chooseDocumented(*work.row);
    else if (work.free)
        state.chooseFree(*work.free);
    if (work.session)
        state.display = work.display;
    state.store = std::move(work.store);
}

QString FirstRefusedEntry(const PoleStore& store, const Crystal& crystal)
{
    PoleStore replotted;
    return PlotAll(
        QList<IndexEntry>(store.entries().begin(), store.entries().end()), crystal, replotted);
}

QByteArray CsvOf(const RunState& state)
{
    const Crystal& crystal = state.scene.crystal;
    QList<CsvRow> rows;
    rows.reserve(state.store.PoleCount());
    for (const Entry& entry : state.store.entries()) {
        const std::array<double, 3> angles = AnglesOf(crystal.lattice, entry);
        rows.append({ IndexText(entry.kind, entry.index, crystal.fourIndices()),
            { FormatAngle(angles[0]), FormatAngle(angles[1]), FormatAngle(angles[2]) } });
    }
    return CsvTable(state.referenceNames(), rows);
}

QString OrientationLineOf(const RunState& state)
{
    const EulerAngles e = state.scene.crystal.orientation.drawn().euler();
    // Rounded first, so that 359.9999999 is written as 0, not 360.
    const auto text = [](double degrees, bool turn) {
        double rounded = std::round(degrees * 1e6) / 1e6;
        if (turn && rounded >= 360.0)
            rounded -= 360.0;
        return QString::number(rounded + 0.0, 'f', 6);
    };
    return text(e.phi1, true) + u' ' + text(e.Phi, false) + u' ' + text(e.phi2, true);
}

QByteArray IndexListFileOf(const RunState& state)
{
    return ListFileText(BuildLists(state.store, state.scene.crystal.lattice).indexList);
}

QByteArray AngleListFileOf(const RunState& state)
{
    return ListFileText(BuildLists(state.store, state.scene.crystal.lattice).angleList);
}
