#include "run/Work.h"

#include "crystal/SymmetryCif.h"
#include "files/CsvTable.h"
#include "files/FileAccess.h"
#include "files/FileMessages.h"
#include "files/FileTypes.h"
#include "files/IndexList.h"
#include "files/VariantTable.h"
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

} // namespace

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
    // The holohedry goes without saying, so that such a file stays version 1.
    if (crystal.group != SpaceGroup::Holohedry(crystal.system()))
        record.group = crystal.group;
    record.name = crystal.name;
    record.planeAngles = crystal.planeAngles;
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

SecondRecord RecordOf(const SecondCrystal& second, const Crystal& first)
{
    SecondRecord record;
    record.crystal.system = second.lattice.system();
    record.crystal.cell = second.lattice.parameters();
    if (second.group != SpaceGroup::Holohedry(second.lattice.system()))
        record.crystal.group = second.group;
    record.crystal.name = second.name;
    record.placement = second.placement;
    // An orientation of its own is written as it is drawn now, so that it
    // lies against the first as it does here; the angles it was given while
    // they still say so, so that a file read and written again is the same.
    if (const auto* given = std::get_if<EulerAngles>(&second.placement)) {
        const CrystalOrientation drawn = second.orientation(first.orientation.drawn());
        const std::optional<CrystalOrientation> asGiven = CrystalOrientation::FromEuler(*given);
        if (!asGiven || MaxDifference(asGiven->matrix(), drawn.matrix()) > 1e-12)
            record.placement = drawn.euler();
    }
    record.variant = second.variant;
    record.net = second.net;
    record.variantNumbers = second.variantNumbers;
    record.colour = second.colour;
    return record;
}

std::variant<SecondCrystal, QString> SecondOf(const SecondRecord& record, const Crystal& first)
{
    const FreeViewRecord& c = record.crystal;
    const auto lattice = Lattice::Make(c.system, c.cell);
    if (const QString* why = std::get_if<QString>(&lattice))
        return *why;
    auto made = SecondCrystal::Make(first, std::get<Lattice>(lattice),
        c.group.value_or(SpaceGroup::Holohedry(c.system)), c.name, record.placement, record.variant,
        record.net, record.variantNumbers);
    if (auto* second = std::get_if<SecondCrystal>(&made))
        second->colour = record.colour;
    return made;
}

namespace {

// Plots the entries one by one as the draw command plots its numbers, into
// store, each in its own crystal (the second's, where there is one, for
// entries of crystal 2); the message of the first one it refuses.
QString PlotAll(const QList<IndexEntry>& entries, const Crystal& crystal, PoleStore& store,
    const Crystal* second = nullptr)
{
    if (store.entries().size() + std::size_t(entries.size()) > std::size_t(PoleStore::MaxPoles))
        return FileMessages::TooManyEntries;
    for (qsizetype n = 0; n < entries.size(); ++n) {
        const IndexEntry& entry = entries[n];
        const bool ofSecond = entry.crystal == 1 && second;
        const Crystal& own = ofSecond ? *second : crystal;
        // The second's entries are plotted aside, then made its own.
        PoleStore aside;
        const DrawCommandResult result = (entry.family ? PlotFamily : PlotIndex)(
            { double(entry.index[0]), double(entry.index[1]), double(entry.index[2]) }, own,
            ofSecond ? aside : store, entry.kind);
        if (!result.added) {
            if (result.messages.isEmpty())
                return FileMessages::EntryDirection.arg(n + 1);
            return FileMessages::EntryRefused.arg(n + 1).arg(
                (entry.family ? FamilyText : IndexText)(entry.kind, entry.index, own.fourIndices()),
                result.messages.join(u'、'));
        }
        if (store.PoleCount() + aside.PoleCount() > PoleStore::MaxPoles)
            return FileMessages::TooManyEntries;
        for (Entry made : aside.entries()) {
            made.crystal = 1;
            store.append(made);
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
    work.display.figureCaption = session.figureCaption;
    // Entries labelled with their indices are the window's choice, which no
    // session holds.
    work.display.indexLabels = current.display.indexLabels;
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
    if (session.second && work.free) {
        auto second = SecondOf(*session.second, *work.free);
        if (const QString* why = std::get_if<QString>(&second))
            return FileMessages::KeyRefused.arg(QStringLiteral("second"), *why);
        work.second = std::get<SecondCrystal>(std::move(second));
        QList<IndexEntry> entries = session.second->entries;
        for (IndexEntry& entry : entries)
            entry.crystal = 1;
        const Crystal own = work.second->crystal();
        if (const QString why = PlotAll(entries, crystal, work.store, &own); !why.isEmpty())
            return FileMessages::KeyRefused.arg(QStringLiteral("second"), why);
    }
    return work;
}

// A CIF file's crystal in the free view, looking along its c axis, with
// the net the free view has; the free view's entries stay where it is shown.
std::variant<OpenedWork, QString> OpenCif(const QByteArray& bytes, const RunState& current)
{
    const std::variant<CifCrystal, QString> read = ReadCif(bytes);
    if (const QString* why = std::get_if<QString>(&read))
        return *why;
    const CifCrystal& cif = std::get<CifCrystal>(read);
    std::variant<Crystal, QString> made = Crystal::Make(cif.lattice.system(),
        cif.lattice.parameters(), { 0, 0, 1 }, std::nullopt, current.free.net, cif.group);
    if (const QString* why = std::get_if<QString>(&made))
        return *why;
    OpenedWork work;
    work.free = std::get<Crystal>(std::move(made));
    work.free->name = cif.name;
    work.note = cif.note;
    if (current.scene.isFree()) {
        if (const QString why = FirstRefusedEntry(current.store, *work.free); !why.isEmpty())
            return why;
        work.store = current.store;
        // The second crystal stays placed against the new first where it can.
        RunState placed = current;
        placed.changeFree(*work.free);
        work.second = placed.scene.second;
        work.store = std::move(placed.store);
    }
    return work;
}

std::variant<OpenedWork, QString> OpenIndexList(const QByteArray& bytes, const RunState& current)
{
    const Crystal& crystal = current.scene.crystal;
    const std::optional<Crystal> second
        = current.scene.second ? std::optional(current.scene.second->crystal()) : std::nullopt;
    const IndexListRead read = ReadIndexList(bytes,
        { crystal.fourIndices(), crystal.allowsDirections(), crystal.allowsFamilies(),
            second ? std::optional(second->fourIndices()) : std::nullopt });
    if (!read.error.isEmpty())
        return read.error;
    OpenedWork work;
    work.store = current.store;
    if (const QString why = PlotAll(read.entries, crystal, work.store, second ? &*second : nullptr);
        !why.isEmpty())
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
    session.figureCaption = state.display.figureCaption;
    if (!state.scene.second) {
        session.entries = TypedEntries(state.store, state.scene.crystal);
        return session;
    }
    // Each crystal's entries in an array of its own, in the order plotted.
    PoleStore first;
    PoleStore second;
    for (Entry entry : state.store.entries()) {
        PoleStore& own = entry.crystal == 0 ? first : second;
        entry.crystal = 0;
        own.append(entry);
    }
    session.entries = TypedEntries(first, state.scene.crystal);
    session.second = RecordOf(*state.scene.second, state.free);
    session.second->entries = TypedEntries(second, state.scene.second->crystal());
    return session;
}

std::variant<Crystal, QString> CrystalOf(const FreeViewRecord& record)
{
    std::variant<Crystal, QString> made = Crystal::Make(
        record.system, record.cell, record.centre, record.up, record.net, record.group);
    if (Crystal* crystal = std::get_if<Crystal>(&made)) {
        crystal->name = record.name;
        crystal->planeAngles = record.planeAngles;
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
    if (IsSessionFileName(fileName))
        return OpenSession(bytes, current);
    return CifType().names(fileName) ? OpenCif(bytes, current) : OpenIndexList(bytes, current);
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
    if (work.free)
        state.changeSecond(std::move(work.second));
    if (work.session) {
        state.display = work.display;
        state.sessionFile = std::move(work.sessionFile);
    }
    state.store = std::move(work.store);
}

QString FirstRefusedEntry(const PoleStore& store, const Crystal& crystal, int of)
{
    // Each entry as it stands: a family's members stay what they are.
    QList<IndexEntry> entries;
    entries.reserve(store.PoleCount());
    for (const Entry& entry : store.entries())
        if (entry.crystal == of)
            entries.append({ entry.kind, entry.index, std::nullopt });
    PoleStore replotted;
    return PlotAll(entries, crystal, replotted);
}

QList<IndexEntry> TypedEntries(const PoleStore& store, const Crystal& crystal)
{
    const std::vector<Entry>& entries = store.entries();
    QList<IndexEntry> typed;
    typed.reserve(store.PoleCount());
    for (std::size_t n = 0; n < entries.size();) {
        const Entry& entry = entries[n];
        // Members plotted whole and still the crystal's family (a member
        // removed, another group chosen: they stand each for itself).
        if (entry.family) {
            const auto members = FamilyEntries(*entry.family, crystal, entry.kind);
            const std::vector<Entry>* whole = std::get_if<std::vector<Entry>>(&members);
            if (whole && !whole->empty() && n + whole->size() <= entries.size()
                && std::equal(whole->begin(), whole->end(), entries.begin() + std::ptrdiff_t(n))) {
                typed.append({ entry.kind, *entry.family, entry.family });
                n += whole->size();
                continue;
            }
        }
        typed.append({ entry.kind, entry.index, std::nullopt });
        ++n;
    }
    return typed;
}

QByteArray CsvOf(const RunState& state)
{
    const Crystal& crystal = state.scene.crystal;
    const std::optional<SecondCrystal>& second = state.scene.second;
    QList<CsvRow> rows;
    rows.reserve(state.store.PoleCount());
    for (const Entry& entry : state.store.entries()) {
        const bool ofSecond = second && entry.crystal == 1;
        const Lattice& lattice = ofSecond ? second->lattice : crystal.lattice;
        const std::array<double, 3> angles = AnglesOf(lattice, entry, crystal.planeAngles);
        rows.append({ IndexText(entry.kind, entry.index, UsesFourIndices(lattice.system())),
            { FormatAngle(angles[0]), FormatAngle(angles[1]), FormatAngle(angles[2]) },
            second ? entry.crystal + 1 : 0 });
    }
    std::array<QString, 3> names = state.writtenReferenceNames();
    // Where the second crystal's references are others, a column names both.
    if (second) {
        const std::array<QString, 3>& own = ReferencesOf(second->lattice.system()).written;
        for (std::size_t k = 0; k < names.size(); ++k)
            if (own[k] != names[k])
                names[k] += QStringLiteral(" / ") + own[k];
    }
    return CsvTable(names, rows, second.has_value());
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

std::variant<QByteArray, QString> SchmidCsvOf(
    const RunState& state, const SlipChoice& slip, const std::optional<Vector3>& axis)
{
    if (!state.scene.isFree())
        return SchmidTableMessages::NotFreeView;
    const Crystal& crystal = state.scene.crystal;
    const auto table = SchmidTable(crystal, slip, axis.value_or(crystal.centre()));
    if (const QString* why = std::get_if<QString>(&table))
        return *why;
    return SchmidCsv(std::get<std::vector<SchmidRow>>(table));
}

std::variant<QByteArray, QString> VariantsCsvOf(const RunState& state)
{
    if (!state.scene.second)
        return VariantTableMessages::NoSecondCrystal;
    const SecondCrystal& second = *state.scene.second;
    return VariantCsv(VariantTableOf(state.scene.crystal, second), second.lattice);
}

PoleLists ListsOf(const RunState& state)
{
    const Crystal& crystal = state.scene.crystal;
    return BuildLists(
        state.store, crystal.lattice, 0, crystal.planeAngles, state.scene.secondLattice());
}

QByteArray IndexListFileOf(const RunState& state)
{
    return ListFileText(ListsOf(state).indexList);
}

QByteArray AngleListFileOf(const RunState& state)
{
    return ListFileText(ListsOf(state).angleList);
}
