#include "app/CommandLineExport.h"
#include "app/KeptSettings.h"
#include "app/UserDialogs.h"
#include "app/frmMainForm.h"
#include "files/CommandLine.h"
#include "run/RunState.h"
#include "run/Work.h"
#include "ui/AppIcon.h"
#include "ui/ApplicationInfo.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QStringList>
#include <QTranslator>

#include <cstdio>
#include <optional>

namespace {

// Answers --help and --version and refuses what neither the program nor Qt
// knows, all before QApplication exists: it would need a display, and a
// terminal over ssh has none. Returns the exit status, or nothing when the
// window is to open or a file to be exported.
std::optional<int> AnswerAtOnce(const CommandLine& line)
{
    switch (line.mode) {
    case CommandLineMode::Help:
        std::printf("%s\n%s", CommandLineUsage, CommandLineHelp);
        return 0;
    case CommandLineMode::Version:
        std::printf("Orvandeler %d.%d.%d\nLicence: GPL-3.0-or-later\n", VersionMajor, VersionMinor,
            VersionRevision);
        return 0;
    case CommandLineMode::UsageError:
        std::fprintf(stderr, "orvandeler: %s\n%s", qPrintable(line.error), CommandLineUsage);
        return 2;
    case CommandLineMode::Export:
    case CommandLineMode::Orientation:
    case CommandLineMode::Window:
        break;
    }
    return std::nullopt;
}

CommandLine ReadCommandLine(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    return ParseCommandLine(arguments);
}

// Opens the file and writes the export without any window, on the
// offscreen platform, so that no display is needed.
int Export(int argc, char* argv[], const CommandLine& line)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Success prints nothing: Qt's own notes about the environment (no
    // runtime folder, say) would read as a problem.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    });
    QGuiApplication app(argc, argv);
    const QString message = ExportWork(line);
    if (message.isEmpty())
        return 0;
    std::fprintf(stderr, "orvandeler: %s\n", message.toLocal8Bit().constData());
    return 1;
}

// Prints the orientation of the crystal the file shows, opened as the
// window opens it; the core alone reads it, so no display is needed.
int PrintOrientation(const CommandLine& line)
{
    RunState state;
    std::variant<OpenedWork, QString> opened = OpenWorkFile(line.file, state);
    if (const QString* why = std::get_if<QString>(&opened)) {
        std::fprintf(stderr, "orvandeler: %s\n", why->toLocal8Bit().constData());
        return 1;
    }
    Adopt(state, std::move(std::get<OpenedWork>(opened)));
    std::printf("%s\n", OrientationLineOf(state).toLatin1().constData());
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const CommandLine line = ReadCommandLine(argc, argv);
    if (const std::optional<int> status = AnswerAtOnce(line))
        return *status;
    if (line.mode == CommandLineMode::Export)
        return Export(argc, argv, line);
    if (line.mode == CommandLineMode::Orientation)
        return PrintOrientation(line);

    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle);
    QApplication::setWindowIcon(AppIcon());
    QApplication::setDesktopFileName(QStringLiteral("org.orvandeler.orvandeler"));

    // The window speaks Japanese whatever the locale, and so should Qt's own
    // dialogs (the save dialog's buttons); without the catalogue they stay English.
    QTranslator qtTranslator;
    if (qtTranslator.load(
            QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    // Kept as ~/.config/orvandeler/Orvandeler.conf.
    QApplication::setOrganizationName(QStringLiteral("orvandeler"));
    QSettings settings;
    KeptSettings kept(settings);
    RunState state;
    QtUserDialogs dialogs(&kept);
    frmMainForm form(state, dialogs);
    form.keepSettings(kept);
    form.show();
    if (!line.file.isEmpty())
        form.openFile(QFileInfo(line.file).absoluteFilePath());
    return QApplication::exec();
}
