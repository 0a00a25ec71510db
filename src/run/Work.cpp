#include "run/Work.h"

#include "files/CsvTable.h"
#include "files/FileAccess.h"
#include "files/FileMessages.h"
#include "files/IndexList.h"
#include "plotting/DisplayText.h"
#include "plotting/DrawCommand.h"
#include "poles/PoleLists.h"
#include "reading/PictureReader.h"

#include <QFileInfo>

namespace {

// The free view's record in a session file and the settings it stands for.
FreeViewRecord RecordOf(const FreeViewSettings& settings)
{
    return { settings.system, settings.parameters, settings.centre(), settings.up(), settings.net };
}

std::variant<FreeViewSettings, QString> SettingsOf(const FreeViewRecord& record)
{
    const std::variant<Lattice, QString> lattice = Lattice::Make(record.system, record.cell);
    if (const QString* why = std::get_if<QString>(&lattice))
        return *why;
    const Vector3 up
        = record.up ? *record.up : DefaultUp(std::get<Lattice>(lattice), record.centre);
    return FreeViewSettings::Make(record.system, record.cell, record.centre, up, record.net);
}

// Plots the entries one by one as the draw command does, into store;
// the message of the first one it refuses.
QString PlotAll(const QList<IndexEntry>& entries, const View& view, PoleStore& store)
{
    if (store.entries().size() + std::size_t(entries.size()) > std::size_t(PoleStore::MaxPoles))
        return FileMessages::TooManyEntries;
    for (qsizetype n = 0; n < entries.size(); ++n) {
        const IndexEntry& entry = entries[n];
        const DrawCommandResult result
            = RunDrawCommand(QString::number(entry.index[0]), QString::number(entry.index[1]),
                QString::number(entry.index[2]), view, store, entry.kind);
        if (!result.added) {
            if (result.messages.isEmpty())
                return FileMessages::EntryDirection.arg(n + 1);
            return FileMessages::EntryRefused.arg(n + 1).arg(
                IndexText(entry.kind, entry.index, view.fourIndices()),
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
    std::optional<View> view;
    if (session.view == SessionView::Free) {
        const std::variant<FreeViewSettings, QString> settings
            = SettingsOf(session.free.value_or(FreeViewRecord()));
        if (const QString* why = std::get_if<QString>(&settings))
            return *why;
        work.free = std::get<FreeViewSettings>(settings);
        view = work.free->view();
    } else {
        work.row = &DocumentedViews()[std::size_t(session.view)];
        view = work.row->view;
    }
    if (!view)
        return FileMessages::NotSession;
    if (const QString why = PlotAll(session.entries, *view, work.store); !why.isEmpty())
        return why;
    return work;
}

std::variant<OpenedWork, QString> OpenIndexList(const QByteArray& bytes, const RunState& current)
{
    const std::optional<View> view = current.view();
    if (!view)
        return FileMessages::NoEntries;
    const IndexListRead read
        = ReadIndexList(bytes, { view->fourIndices(), view->allowsDirections() });
    if (!read.error.isEmpty())
        return read.error;
    OpenedWork work;
    work.store = current.store;
    if (const QString why = PlotAll(read.entries, *view, work.store); !why.isEmpty())
        return why;
    return work;
}

} // namespace

Session SessionOf(const RunState& state)
{
    Session session;
    if (state.freeChosen) {
        session.view = SessionView::Free;
        session.free = RecordOf(state.free);
    } else {
        const std::span<const ViewRow> rows = DocumentedViews();
        for (std::size_t n = 0; n < rows.size(); ++n)
            if (&rows[n] == state.row())
                session.view = SessionView(n);
    }
    session.plotSize = QString::number(state.display.plotSize);
    session.lineWidth = QString::number(state.display.lineWidth);
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

QString FirstRefusedEntry(const PoleStore& store, const View& view)
{
    PoleStore replotted;
    return PlotAll(
        QList<IndexEntry>(store.entries().begin(), store.entries().end()), view, replotted);
}

QByteArray CsvOf(const RunState& state)
{
    std::array<QString, 3> names;
    const std::array<QString, 3> captions = state.angleCaptions();
    for (std::size_t k = 0; k < 3; ++k)
        names[k] = PictureReader::ReferenceName(captions[k]);
    QList<CsvRow> rows;
    if (const std::optional<View> view = state.view()) {
        rows.reserve(state.store.PoleCount());
        for (const Entry& entry : state.store.entries()) {
            const std::array<double, 3> angles = AnglesOf(*view, entry);
            rows.append({ IndexText(entry.kind, entry.index, view->fourIndices()),
                { FormatAngle(angles[0]), FormatAngle(angles[1]), FormatAngle(angles[2]) } });
        }
    }
    return CsvTable(names, rows);
}

QByteArray IndexListFileOf(const RunState& state)
{
    const std::optional<View> view = state.view();
    return ListFileText(view ? BuildLists(state.store, *view).indexList : QString());
}

QByteArray AngleListFileOf(const RunState& state)
{
    const std::optional<View> view = state.view();
    return ListFileText(view ? BuildLists(state.store, *view).angleList : QString());
}
