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

namespace {

// The free view's record in a session file and the crystal it stands for.
FreeViewRecord RecordOf(const Crystal& crystal)
{
    return { crystal.system(), crystal.lattice.parameters(), crystal.centre(), crystal.up(),
        crystal.net };
}

std::variant<Crystal, QString> CrystalOf(const FreeViewRecord& record)
{
    return Crystal::Make(record.system, record.cell, record.centre, record.up, record.net);
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
    work.display.figureCaption = session.figureCaption;
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
    session.figureCaption = state.display.figureCaption;
    session.entries.reserve(state.store.PoleCount());
    for (const Entry& entry : state.store.entries())
        session.entries.append(entry);
    return session;
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
    return CsvTable(state.writtenReferenceNames(), rows);
}

QByteArray IndexListFileOf(const RunState& state)
{
    return ListFileText(BuildLists(state.store, state.scene.crystal.lattice).indexList);
}

QByteArray AngleListFileOf(const RunState& state)
{
    return ListFileText(BuildLists(state.store, state.scene.crystal.lattice).angleList);
}
