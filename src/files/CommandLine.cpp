#include "files/CommandLine.h"

#include <algorithm>
#include <cmath>

const char* const CommandLineUsage
    = "Usage: orvandeler [Qt options] [FILE]\n"
      "       orvandeler --export OUT [--dpi N] FILE\n"
      "       orvandeler --table schmid [--axis U,V,W] --slip NAME --export OUT.csv FILE\n"
      "       orvandeler --table variants --export OUT.csv FILE\n"
      "       orvandeler --orientation FILE\n"
      "       orvandeler --help | --version\n";

const char* const CommandLineHelp
    = "Draws the stereographic standard projection of cubic and hexagonal crystals\n"
      "and plots the poles of the planes typed into its window.\n"
      "\n"
      "FILE is a session (*.orvandeler), an index list (a text file with one\n"
      "plane a line, such as \"(1 2 3)\") or a crystal's CIF file (*.cif); the\n"
      "window opens with it plotted.\n"
      "\n"
      "Options:\n"
      "  --export OUT  plot FILE without opening a window and write OUT in the\n"
      "                format its extension names: .svg, .pdf, .png, .jpg or .jpeg\n"
      "                for the picture, .csv for the planes and their angles\n"
      "  --dpi N       resolution of a PNG or JPEG export, 72 to 2400 (default 600)\n"
      "  --orientation print the orientation of the crystal FILE shows as one line,\n"
      "                \"phi1 Phi phi2\": Bunge Euler angles (Z X Z, passive: sample\n"
      "                to crystal) in degrees, with six decimals\n"
      "  --table schmid\n"
      "                write the Schmid factors of a crystal's slip systems as CSV\n"
      "                (plane,direction,m) instead of the planes and their angles\n"
      "  --table variants\n"
      "                write the variants of the second crystal of the session FILE\n"
      "                as CSV (variant,angle,axis): each one's misorientation to\n"
      "                variant 1 in degrees and its axis in the second crystal\n"
      "  --axis U,V,W  the loading axis [U V W] of --table schmid (default: the\n"
      "                direction at the centre of the projection)\n"
      "  --slip NAME   the slip systems of --table schmid: fcc, bcc110, bcc112,\n"
      "                bcc123, basal, prismatic, pyramidal-a or pyramidal-ca\n"
      "  --help        print this text and exit\n"
      "  --version     print the version and exit\n"
      "\n"
      "Qt's own options, such as -platform NAME, -style NAME or -display DISPLAY,\n"
      "are passed to Qt. The window speaks Japanese and wants a Japanese Gothic font.\n";

namespace {

// The options QGuiApplication, QApplication and the X11 platform take for
// themselves, spelt with one dash or two; QApplication reads them.
constexpr const char* QtOptionsWithValue[] = { "platform", "platformpluginpath", "platformtheme",
    "plugin", "qwindowgeometry", "geometry", "qwindowtitle", "title", "qwindowicon", "icon",
    "session", "display", "name", "style", "stylesheet", "qmljsdebugger" };
// Those of them that also take their value after "=".
constexpr const char* QtOptionsJoined[] = { "style", "stylesheet", "qmljsdebugger" };
constexpr const char* QtFlags[] = { "reverse", "testability", "widgetcount", "nograb", "dograb" };

template <std::size_t N> bool Contains(const char* const (&names)[N], QStringView name)
{
    for (const char* candidate : names)
        if (name == QLatin1StringView(candidate))
            return true;
    return false;
}

QString Quoted(const QString& text)
{
    return u'\'' + text + u'\'';
}

// The tables --table writes, by the name it takes.
struct TableRow
{
    const char* name;
    CommandLineTable table;
};
constexpr TableRow Tables[]
    = { { "schmid", CommandLineTable::Schmid }, { "variants", CommandLineTable::Variants } };

// "1,2,3": three finite numbers, not all zero.
std::optional<std::array<double, 3>> ReadAxis(const QString& text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 3)
        return std::nullopt;
    std::array<double, 3> axis {};
    for (std::size_t k = 0; k < 3; ++k) {
        bool number = false;
        axis[k] = parts[qsizetype(k)].trimmed().toDouble(&number);
        if (!number || !std::isfinite(axis[k]))
            return std::nullopt;
    }
    if (axis == std::array<double, 3> {})
        return std::nullopt;
    return axis;
}

CommandLine Refused(const QString& error)
{
    CommandLine result;
    result.mode = CommandLineMode::UsageError;
    result.error = error;
    return result;
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments)
{
    CommandLine result;
    CommandLineMode request = CommandLineMode::Window;
    bool exporting = false;
    bool orientation = false;
    bool dpiGiven = false;
    QString dpiText;
    // The options that take a value, each at most once.
    struct ValueOption
    {
        QStringView name;
        QString* value;
        bool given = false;
    };
    QString tableText, axisText, slipText;
    std::array<ValueOption, 5> valueOptions { { { u"--export", &result.out },
        { u"--dpi", &dpiText }, { u"--table", &tableText }, { u"--axis", &axisText },
        { u"--slip", &slipText } } };
    bool filesOnly = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (filesOnly || !arg.startsWith(u'-') || arg == u"-") {
            if (arg == u"-")
                return Refused(QStringLiteral("unknown argument ") + Quoted(arg));
            if (!result.file.isEmpty())
                return Refused(QStringLiteral("more than one file: ") + Quoted(arg));
            result.file = arg;
            continue;
        }
        if (arg == u"--") {
            filesOnly = true;
            continue;
        }
        if (arg == u"--help" || arg == u"--version") {
            if (request == CommandLineMode::Window)
                request = arg == u"--help" ? CommandLineMode::Help : CommandLineMode::Version;
            continue;
        }
        if (arg == u"--orientation") {
            orientation = true;
            continue;
        }
        // --export OUT, --export=OUT, --dpi N, --dpi=N and the like.
        const qsizetype equals = arg.indexOf(u'=');
        const QString option = arg.left(equals);
        const auto valueOption = std::find_if(valueOptions.begin(), valueOptions.end(),
            [&option](const ValueOption& o) { return o.name == option; });
        if (valueOption != valueOptions.end()) {
            QString value;
            if (equals >= 0) {
                value = arg.mid(equals + 1);
            } else {
                if (i + 1 == arguments.size())
                    return Refused(QStringLiteral("missing value for ") + Quoted(arg));
                value = arguments[++i];
            }
            if (valueOption->given)
                return Refused(option + QStringLiteral(" given twice"));
            valueOption->given = true;
            *valueOption->value = value;
            continue;
        }
        const QStringView name = QStringView(arg).sliced(arg.startsWith(u"--") ? 2 : 1);
        if (Contains(QtFlags, name))
            continue;
        if (Contains(QtOptionsWithValue, name)) {
            if (i + 1 == arguments.size())
                return Refused(QStringLiteral("missing value for ") + Quoted(arg));
            ++i;
            continue;
        }
        const qsizetype nameEquals = name.indexOf(u'=');
        if (nameEquals >= 0 && Contains(QtOptionsJoined, name.first(nameEquals)))
            continue;
        return Refused(QStringLiteral("unknown argument ") + Quoted(arg));
    }

    // Asking for help is answered whatever else the line holds, once every
    // argument is known.
    if (request != CommandLineMode::Window) {
        result.mode = request;
        return result;
    }
    exporting = valueOptions[0].given;
    dpiGiven = valueOptions[1].given;
    const bool tableGiven = valueOptions[2].given;
    if (orientation) {
        if (std::any_of(valueOptions.begin(), valueOptions.end(),
                [](const ValueOption& o) { return o.given; }))
            return Refused(QStringLiteral("--orientation prints, it does not export"));
        if (result.file.isEmpty())
            return Refused(QStringLiteral("--orientation needs a FILE to read"));
        result.mode = CommandLineMode::Orientation;
        return result;
    }
    if (tableGiven) {
        const auto row = std::find_if(std::begin(Tables), std::end(Tables),
            [&tableText](const TableRow& r) { return tableText == QLatin1StringView(r.name); });
        if (row == std::end(Tables))
            return Refused(
                QStringLiteral("--table takes schmid or variants: ") + Quoted(tableText));
        result.table = row->table;
    }
    for (const ValueOption& schmidOption : { valueOptions[3], valueOptions[4] })
        if (schmidOption.given && result.table != CommandLineTable::Schmid)
            return Refused(schmidOption.name.toString() + QStringLiteral(" needs --table schmid"));
    if (valueOptions[3].given) {
        result.axis = ReadAxis(axisText);
        if (!result.axis)
            return Refused(
                QStringLiteral("--axis takes three numbers U,V,W, not all 0: ") + Quoted(axisText));
    }
    if (result.table == CommandLineTable::Schmid) {
        if (!valueOptions[4].given)
            return Refused(QStringLiteral("--table schmid needs --slip NAME"));
        result.slip = SlipSetFromName(slipText);
        if (!result.slip) {
            QStringList names;
            for (const SlipSetRow& row : SlipSets())
                names << row.name;
            return Refused(QStringLiteral("--slip takes %1: ").arg(names.join(QStringLiteral(", ")))
                + Quoted(slipText));
        }
    }
    if (dpiGiven) {
        if (!exporting)
            return Refused(QStringLiteral("--dpi needs --export"));
        // Plain digits only: toInt would also take blanks and a sign.
        const bool digits = !dpiText.isEmpty()
            && std::all_of(
                dpiText.begin(), dpiText.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        const int dpi = digits && dpiText.size() <= 4 ? dpiText.toInt() : 0;
        if (dpi < MinExportDpi || dpi > MaxExportDpi)
            return Refused(QStringLiteral("--dpi takes a whole number from %1 to %2: %3")
                               .arg(QString::number(MinExportDpi), QString::number(MaxExportDpi),
                                   Quoted(dpiText)));
        result.dpi = dpi;
    }
    if (exporting) {
        result.format = ExportFormatOf(result.out);
        if (result.format == ExportFormat::None)
            return Refused(QStringLiteral("cannot tell the format of ") + Quoted(result.out)
                + QStringLiteral(" (use .svg, .pdf, .png, .jpg, .jpeg or .csv)"));
        if (dpiGiven && result.format != ExportFormat::Png && result.format != ExportFormat::Jpeg)
            return Refused(QStringLiteral("--dpi applies only to PNG and JPEG exports"));
        if (result.file.isEmpty())
            return Refused(QStringLiteral("--export needs a FILE to read"));
        if (tableGiven && result.format != ExportFormat::Csv)
            return Refused(QStringLiteral("--table writes CSV: give --export OUT.csv"));
        result.mode = CommandLineMode::Export;
    } else if (tableGiven) {
        return Refused(QStringLiteral("--table needs --export OUT.csv"));
    }
    return result;
}
