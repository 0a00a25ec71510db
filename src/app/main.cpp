#include "app/RunState.h"
#include "app/UserDialogs.h"
#include "app/frmMainForm.h"
#include "ui/AppIcon.h"
#include "ui/ApplicationInfo.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <optional>
#include <string_view>

namespace {

constexpr const char* Usage = "Usage: orvandeler [Qt options]\n"
                              "       orvandeler --help | --version\n";

constexpr const char* Help
    = "Draws the stereographic standard projection of cubic and hexagonal crystals\n"
      "and plots the poles of the planes typed into its window.\n"
      "\n"
      "Options:\n"
      "  --help       print this text and exit\n"
      "  --version    print the version and exit\n"
      "\n"
      "Qt's own options, such as -platform NAME, -style NAME or -display DISPLAY,\n"
      "are passed to Qt. The window speaks Japanese and wants a Japanese Gothic font.\n";

// The options QGuiApplication, QApplication and the X11 platform take for
// themselves, spelt with one dash or two; QApplication reads them.
constexpr std::string_view QtOptionsWithValue[] = { "platform", "platformpluginpath",
    "platformtheme", "plugin", "qwindowgeometry", "geometry", "qwindowtitle", "title",
    "qwindowicon", "icon", "session", "display", "name", "style", "stylesheet", "qmljsdebugger" };
// Those of them that also take their value after "=".
constexpr std::string_view QtOptionsJoined[] = { "style", "stylesheet", "qmljsdebugger" };
constexpr std::string_view QtFlags[]
    = { "reverse", "testability", "widgetcount", "nograb", "dograb" };

template <std::size_t N> bool Contains(const std::string_view (&names)[N], std::string_view name)
{
    for (std::string_view candidate : names)
        if (candidate == name)
            return true;
    return false;
}

int Refuse(const char* message, const char* argument)
{
    std::fprintf(stderr, "orvandeler: %s '%s'\n%s", message, argument, Usage);
    return 2;
}

// Answers --help and --version and refuses what neither the program nor Qt
// knows, all before QApplication exists: it would need a display, and a
// terminal over ssh has none. Returns the exit status, or nothing when the
// window is to open.
std::optional<int> HandleCommandLine(int argc, char* argv[])
{
    std::string_view request;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "--version") {
            if (request.empty())
                request = arg;
            continue;
        }
        if (arg.size() < 2 || arg[0] != '-')
            return Refuse("unknown argument", argv[i]);
        const std::string_view name = arg.substr(arg[1] == '-' ? 2 : 1);
        if (Contains(QtFlags, name))
            continue;
        if (Contains(QtOptionsWithValue, name)) {
            if (i + 1 == argc)
                return Refuse("missing value for", argv[i]);
            ++i;
            continue;
        }
        const std::size_t equals = name.find('=');
        if (equals != std::string_view::npos && Contains(QtOptionsJoined, name.substr(0, equals)))
            continue;
        return Refuse("unknown argument", argv[i]);
    }
    if (request == "--help") {
        std::printf("%s\n%s", Usage, Help);
        return 0;
    }
    if (request == "--version") {
        std::printf("Orvandeler %d.%d.%d\nLicence: GPL-3.0-or-later\n", VersionMajor, VersionMinor,
            VersionRevision);
        return 0;
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
