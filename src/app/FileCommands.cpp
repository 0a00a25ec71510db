#include "app/FileCommands.h"

#include "app/UserDialogs.h"
#include "files/FileAccess.h"
#include "painting/PictureDocument.h"

#include <QFileInfo>
#include <QRegularExpression>

const QString FileCommands::OpenTitle = QStringLiteral("開く");
const QStringList FileCommands::OpenFilters
    = { QStringLiteral("Orvandeler セッション (*.orvandeler)"),
          QStringLiteral("テキスト ファイル (*.txt)") };
const QString FileCommands::PictureTitle = QStringLiteral("画像の保存");
const QStringList FileCommands::PictureFilters = { QStringLiteral("PNG (*.png)"),
    QStringLiteral("SVG (*.svg)"), QStringLiteral("PDF (*.pdf)"), QStringLiteral("JPEG(*.jpg)") };
const QString FileCommands::IndexTitle = QStringLiteral("面指数の保存");
const QString FileCommands::AngleTitle = QStringLiteral("角度差の保存");
const QStringList FileCommands::ListFilters
    = { QStringLiteral("テキスト ファイル (*.txt)"), QStringLiteral("CSV (*.csv)") };
const QString FileCommands::SessionTitle = QStringLiteral("セッションの保存");
const QStringList FileCommands::SessionFilters
    = { QStringLiteral("Orvandeler セッション (*.orvandeler)") };

namespace {

// The extension a filter such as "PNG (*.png)" offers.
QString extensionOf(const QString& filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

constexpr ExportFormat PictureFormats[]
    = { ExportFormat::Png, ExportFormat::Svg, ExportFormat::Pdf, ExportFormat::Jpeg };

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
        = m_dialogs.showOpenDialog(m_host.dialogParent(), OpenTitle, OpenFilters);
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

std::optional<std::pair<QString, int>> FileCommands::askSaveName(
    const QString& title, const QStringList& filters, const QString& name)
{
    const FileChoice choice = m_dialogs.showSaveDialog(m_host.dialogParent(), title, filters, name);
    if (choice.path.isEmpty())
        return std::nullopt;
    const QFileInfo chosen(choice.path);
    const QString suffix = chosen.suffix().toLower();
    for (qsizetype n = 0; n < filters.size(); ++n)
        if (!suffix.isEmpty() && suffix == extensionOf(filters[n]))
            return std::pair { choice.path, int(n) };
    const int filter = std::clamp(choice.filter, 0, int(filters.size()) - 1);
    // A file that exists was chosen as it is, whatever its name.
    if (chosen.exists() && !chosen.isDir())
        return std::pair { choice.path, filter };
    return std::pair { choice.path + u'.' + extensionOf(filters[filter]), filter };
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
    if (const auto name = askSaveName(SessionTitle, SessionFilters, QStringLiteral("セッション")))
        writeSession(name->first);
}

void FileCommands::saveAsPicture()
{
    const auto name = askSaveName(PictureTitle, PictureFilters, QStringLiteral("極点図"));
    if (!name)
        return;
    const PictureDocument document(
        m_host.currentPicture(), m_state.store, m_host.currentDescription());
    const QByteArray bytes = document.encoded(PictureFormats[name->second], DefaultExportDpi);
    write(name->first, bytes);
}

void FileCommands::saveAsIndexList()
{
    if (const auto name = askSaveName(IndexTitle, ListFilters, QStringLiteral("面指数")))
        write(name->first, name->second == 1 ? CsvOf(m_state) : IndexListFileOf(m_state));
}

void FileCommands::saveAsAngleList()
{
    if (const auto name = askSaveName(AngleTitle, ListFilters, QStringLiteral("角度差")))
        write(name->first, name->second == 1 ? CsvOf(m_state) : AngleListFileOf(m_state));
}
