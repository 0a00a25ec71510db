#include "app/FileCommands.h"

#include "app/UserDialogs.h"
#include "files/FileAccess.h"
#include "files/FileMessages.h"
#include "painting/PictureDocument.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

const QString FileCommands::OpenTitle = QStringLiteral("開く");
const QString FileCommands::PictureTitle = QStringLiteral("画像の保存");
const QString FileCommands::IndexTitle = QStringLiteral("面指数の保存");
const QString FileCommands::AngleTitle = QStringLiteral("角度差の保存");
const QString FileCommands::SessionTitle = QStringLiteral("セッションの保存");

namespace {

QByteArray Digest(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

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
        opened.sessionFile = { path, Digest(ReadWholeFile(path).bytes) };
    const QString note = opened.note;
    m_host.showOpenedWork(std::move(opened));
    m_host.fileUsed(path);
    if (!note.isEmpty())
        m_dialogs.showMessage(m_host.dialogParent(), note);
    return true;
}

std::optional<FileCommands::SaveName> FileCommands::askSaveName(
    const QString& title, std::span<const FileType> types, const QString& name)
{
    // The file dialog asks nothing itself: it would ask about the name as
    // typed, before the type's extension is added.
    QString offered = name;
    for (;;) {
        const FileChoice choice
            = m_dialogs.showSaveDialog(m_host.dialogParent(), title, Filters(types), offered);
        if (choice.path.isEmpty())
            return std::nullopt;
        const SaveName chosen = savedAs(choice, types);
        if (mayReplace(chosen.path))
            return chosen;
        // No: back to the dialog, which may be cancelled.
        offered = QFileInfo(chosen.path).fileName();
    }
}

FileCommands::SaveName FileCommands::savedAs(
    const FileChoice& choice, std::span<const FileType> types)
{
    for (const FileType& type : types)
        if (type.names(choice.path))
            return { choice.path, &type };
    const FileType& chosen
        = types[std::size_t(std::clamp(choice.filter, 0, int(types.size()) - 1))];
    // A file that exists was chosen as it is, whatever its name.
    const QFileInfo file(choice.path);
    if (file.exists() && !file.isDir())
        return { choice.path, &chosen };
    return { choice.path + u'.' + QLatin1String(chosen.extension), &chosen };
}

bool FileCommands::mayReplace(const QString& path)
{
    // A folder or a device is never replaced; writing it fails or writes in place.
    if (!QFileInfo(path).isFile())
        return true;
    return m_dialogs.askYesNo(
        m_host.dialogParent(), FileMessages::ReplaceQuestion.arg(QDir::toNativeSeparators(path)));
}

void FileCommands::keepSessionFile(const QString& path, const QByteArray& bytes)
{
    m_state.sessionFile = { path, Digest(bytes) };
}

bool FileCommands::changedOnDisk() const
{
    const RunState::SessionFile& kept = m_state.sessionFile;
    const FileRead file = ReadWholeFile(kept.path);
    // Gone, it is written anew and replaces nothing.
    if (!QFileInfo::exists(kept.path))
        return false;
    return !file.error.isEmpty() || Digest(file.bytes) != kept.digest;
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
    const QByteArray bytes = WriteSession(SessionOf(m_state));
    if (!write(path, bytes))
        return false;
    keepSessionFile(path, bytes);
    m_host.fileUsed(path);
    return true;
}

void FileCommands::save()
{
    const QString path = m_state.sessionFile.path;
    if (path.isEmpty()) {
        saveAsSession();
        return;
    }
    // Its own file is replaced without a question unless another program
    // (or another window) has changed it since it was opened or saved here.
    if (changedOnDisk()
        && !m_dialogs.askYesNo(m_host.dialogParent(),
            FileMessages::ChangedQuestion.arg(QDir::toNativeSeparators(path))))
        return;
    writeSession(path);
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
