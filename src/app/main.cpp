#include "app/RunState.h"
#include "app/UserDialogs.h"
#include "app/frmMainForm.h"
#include "files/CommandLine.h"
#include "ui/AppIcon.h"
#include "ui/ApplicationInfo.h"

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

#include <cstdio>
#include <optional>

namespace {

// Answers --help and --version and refuses what neither the program nor Qt
// knows, all before QApplication exists: it would need a display, and a
// terminal over ssh has none. Returns the exit status, or nothing when the
// window is to open.
std::optional<int> HandleCommandLine(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    const CommandLine line = ParseCommandLine(arguments);
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
    case CommandLineMode::Window:
        break;
    }
    // Reading FILE, with or without a window, comes with the File menu;
    // until then say so rather than show an empty plot as if it were FILE's.
    if (!line.file.isEmpty()) {
        std::fprintf(stderr, "orvandeler: cannot open '%s' yet: this build reads no files\n",
            qPrintable(line.file));
        return 1;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = HandleCommandLine(argc, argv))
        return *status;

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

    RunState state;
    QtUserDialogs dialogs;
    frmMainForm form(state, dialogs);
    form.show();
    return QApplication::exec();
}
