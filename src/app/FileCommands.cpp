#include "app/FileCommands.h"

#include "app/UserDialogs.h"
#include "files/FileAccess.h"
#include "painting/PictureDocument.h"

#include <QFileInfo>

const QString FileCommands::OpenTitle = QStringLiteral("開く");
const QString FileCommands::PictureTitle = QStringLiteral("画像の保存");
const QString FileCommands::IndexTitle = QStringLiteral("面指数の保存");
const QString FileCommands::AngleTitle = QStringLiteral("角度差の保存");
const QString FileCommands::SessionTitle = QStringLiteral("セッションの保存");

FileCommands::FileCommands(RunState& state, UserDialogs& dialogs, FileCommandsHost& host)
    : m_state(state)
    , m_dialogs(dialogs)
    , m_host(host)
{
}

void FileCommands::open()
{
    const FileChoice choice
        = m_dialogs.showOpenDialog(m_host.dialogParent(), OpenTitle, Filters(OpenTypes()));
    if (!choice.path.isEmpty())
        openPath(choice.path);
}

bool FileCommands::openPath(const QString& path)
{
    std::variant<OpenedWork, QString> work = OpenWorkFile(path, m_state);
    if (const QString* why = std::get_if<QString>(&work)) {
        m_dialogs.showMessage(m_host.dialogParent(), *why);
        return false;
    }
    OpenedWork& opened = std::get<OpenedWork>(work);
    if (opened.session)
        m_sessionPath = path;
    m_host.showOpenedWork(std::move(opened));
    return true;
}

std::optional<FileCommands::SaveName> FileCommands::askSaveName(
    const QString& title, std::span<const FileType> types, const QString& name)
{
    const FileChoice choice
        = m_dialogs.showSaveDialog(m_host.dialogParent(), title, Filters(types), name);
    if (choice.path.isEmpty())
        return std::nullopt;
    for (const FileType& type : types)
        if (type.names(choice.path))
            return SaveName { choice.path, &type };
    const FileType& chosen
        = types[std::size_t(std::clamp(choice.filter, 0, int(types.size()) - 1))];
    // A file that exists was chosen as it is, whatever its name.
    const QFileInfo file(choice.path);
    if (file.exists() && !file.isDir())
        return SaveName { choice.path, &chosen };
    return SaveName { choice.path + u'.' + QLatin1String(chosen.extension), &chosen };
}

bool FileCommands::write(const QString& path, const QByteArray& bytes)
{
    const QString why = WriteWholeFile(path, bytes);
    if (why.isEmpty())
        return true;
    m_dialogs.showMessage(m_host.dialogParent(), SaveFailedMessage(path, why));
    return false;
}

bool FileCommands::writeSession(const QString& path)
{
    if (!write(path, WriteSession(SessionOf(m_state))))
        return false;
    m_sessionPath = path;
    return true;
}

void FileCommands::save()
{
    if (m_sessionPath.isEmpty())
        saveAsSession();
    else
        writeSession(m_sessionPath);
}

void FileCommands::saveAsSession()
{
    if (const auto name
        = askSaveName(SessionTitle, { &SessionType(), 1 }, QStringLiteral("セッション")))
        writeSession(name->path);
}

void FileCommands::saveAsPicture()
{
    const auto name = askSaveName(PictureTitle, PictureTypes(), QStringLiteral("極点図"));
    if (!name)
        return;
    const PictureDocument document(
        m_host.currentPicture(), m_state.store, m_host.currentDescription());
    write(name->path, document.encoded(name->type->format, DefaultExportDpi));
}

void FileCommands::saveAsIndexList()
{
    if (const auto name = askSaveName(IndexTitle, ListTypes(), QStringLiteral("面指数")))
        write(name->path,
            name->type->format == ExportFormat::Csv ? CsvOf(m_state) : IndexListFileOf(m_state));
}

void FileCommands::saveAsAngleList()
{
    if (const auto name = askSaveName(AngleTitle, ListTypes(), QStringLiteral("角度差")))
        write(name->path,
            name->type->format == ExportFormat::Csv ? CsvOf(m_state) : AngleListFileOf(m_state));
}
