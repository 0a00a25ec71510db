#include "files/Session.h"

#include "files/FileAccess.h"
#include "files/FileMessages.h"
#include "plotting/DisplayText.h"
#include "surface/DisplaySettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QRegularExpression>
#include <cmath>
#include <limits>

using namespace FileMessages;

namespace {

constexpr const char16_t* SystemNames[] = { u"cubic", u"tetragonal", u"orthorhombic", u"hexagonal",
    u"trigonal", u"monoclinic", u"triclinic" };

// The cell's keys in the order of LatticeParameters::values().
constexpr const char16_t* CellKeys[] = { u"a", u"b", u"c", u"alpha", u"beta", u"gamma" };

template <std::size_t N> int IndexOf(const char16_t* const (&names)[N], const QString& name)
{
    for (std::size_t i = 0; i < N; ++i)
        if (name == QStringView(names[i]))
            return static_cast<int>(i);
    return -1;
}

template <std::size_t N> QString Listed(const char16_t* const (&names)[N])
{
    QStringList list;
    for (const char16_t* name : names)
        list << QString::fromUtf16(name);
    return list.join(u'、');
}

std::optional<double> WholeIn(const QJsonValue& value, double low, double high)
{
    if (!value.isDouble())
        return std::nullopt;
    const double d = value.toDouble();
    if (!(d >= low && d <= high) || d != std::trunc(d))
        return std::nullopt;
    return d + 0.0; // -0 is 0
}

std::optional<std::array<double, 3>> ThreeNumbers(const QJsonValue& value)
{
    const QJsonArray array = value.toArray();
    if (!value.isArray() || array.size() != 3)
        return std::nullopt;
    std::array<double, 3> numbers {};
    for (qsizetype i = 0; i < 3; ++i) {
        if (!array[i].isDouble() || !std::isfinite(array[i].toDouble()))
            return std::nullopt;
        numbers[static_cast<std::size_t>(i)] = array[i].toDouble();
    }
    return numbers;
}

// QJsonParseError counts bytes and stands just past the fault; people count
// characters from 1, which makes the two columns the same number.
QString SyntaxMessage(const QByteArray& bytes, const QJsonParseError& error)
{
    const qsizetype offset = std::clamp<qsizetype>(error.offset, 0, bytes.size());
    qsizetype line = 1;
    qsizetype column = 0;
    for (qsizetype i = 0; i < offset; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\n') {
            ++line;
            column = 0;
        } else if ((byte & 0xC0) != 0x80) {
            ++column;
        }
    }
    const QString& text = error.error == QJsonParseError::DeepNesting ? JsonTooDeep
        : error.error == QJsonParseError::IllegalNumber               ? JsonBadNumber
                                                                      : JsonSyntax;
    return text.arg(line).arg(std::max<qsizetype>(column, 1));
}

QString ScalarText(const QJsonValue& value)
{
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    if (value.isString())
        return u'"' + value.toString().left(20) + u'"';
    if (value.isBool())
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return value.isArray() ? QStringLiteral("[…]")
        : value.isObject() ? QStringLiteral("{…}")
                           : QStringLiteral("null");
}

QString ReadFree(const QJsonObject& root, FreeViewRecord& free)
{
    const QJsonValue crystalValue = root.value(u"crystal");
    if (crystalValue.isUndefined())
        return MissingKey.arg(u"crystal");
    if (!crystalValue.isObject())
        return NotObject.arg(u"crystal");
    const QJsonObject crystal = crystalValue.toObject();
    const QJsonValue system = crystal.value(u"system");
    if (system.isUndefined())
        return MissingKey.arg(u"crystal.system");
    const int systemIndex = IndexOf(SystemNames, system.toString());
    if (!system.isString() || systemIndex < 0)
        return NotOneOf.arg(u"crystal.system", Listed(SystemNames));
    free.system = static_cast<LatticeSystem>(systemIndex);

    const std::array<bool, 6> needed = FreeParameters(free.system);
    std::array<double, 6> cell = free.cell.values();
    for (std::size_t i = 0; i < cell.size(); ++i) {
        if (!needed[i])
            continue;
        const QString key = QStringLiteral("crystal.") + QString::fromUtf16(CellKeys[i]);
        const QJsonValue value = crystal.value(QStringView(CellKeys[i]));
        if (value.isUndefined())
            return MissingKey.arg(key);
        if (!value.isDouble() || !std::isfinite(value.toDouble()))
            return NotFinite.arg(key);
        cell[i] = value.toDouble();
    }
    free.cell = LatticeParameters::FromValues(cell);
    ApplyFixedCellParameters(free);

    const QJsonValue centre = root.value(u"centre");
    if (centre.isUndefined())
        return MissingKey.arg(u"centre");
    if (const auto numbers = ThreeNumbers(centre))
        free.centre = *numbers;
    else
        return NotThreeNumbers.arg(u"centre");
    const QJsonValue up = root.value(u"up");
    if (!up.isUndefined()) {
        free.up = ThreeNumbers(up);
        if (!free.up)
            return NotThreeNumbers.arg(u"up");
    }

    const QJsonValue netLimit = root.value(u"netLimit");
    if (!netLimit.isUndefined()) {
        const std::optional<double> limit = WholeIn(netLimit, 1, 10);
        if (!limit)
            return NotWholeInRange.arg(u"netLimit").arg(1).arg(10);
        free.net.limit = static_cast<int>(*limit);
    }
    for (const auto& [key, flag] : { std::pair { u"zoneCircles", &free.net.zoneCircles },
             std::pair { u"wulffNet", &free.net.wulffNet } }) {
        const QJsonValue value = root.value(QStringView(key));
        if (value.isUndefined())
            continue;
        if (!value.isBool())
            return NotBoolean.arg(QString::fromUtf16(key));
        *flag = value.toBool();
    }
    return {};
}

QString ReadEntries(const QJsonObject& root, bool directionsAllowed, QList<IndexEntry>& entries)
{
    const QJsonValue value = root.value(u"entries");
    if (value.isUndefined())
        return MissingKey.arg(u"entries");
    if (!value.isArray())
        return NotArray.arg(u"entries");
    const QJsonArray array = value.toArray();
    if (array.size() > MaxFileEntries)
        return TooManyEntries;
    entries.reserve(array.size());
    for (qsizetype n = 0; n < array.size(); ++n) {
        const QJsonObject entry = array[n].toObject();
        const QJsonValue plane = entry.value(u"plane");
        const QJsonValue direction = entry.value(u"direction");
        if (plane.isUndefined() == direction.isUndefined())
            return EntryForm.arg(n + 1);
        if (!direction.isUndefined() && !directionsAllowed)
            return EntryDirection.arg(n + 1);
        const QJsonArray numbers = (plane.isUndefined() ? direction : plane).toArray();
        if (numbers.size() != 3)
            return EntryIndex.arg(n + 1);
        IndexEntry read { direction.isUndefined() ? IndexKind::Plane : IndexKind::Direction, {} };
        for (qsizetype j = 0; j < 3; ++j) {
            const std::optional<double> number = WholeIn(numbers[j],
                std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max());
            if (!number)
                return EntryIndex.arg(n + 1);
            read.index[static_cast<std::size_t>(j)] = static_cast<int16_t>(*number);
        }
        if (read.index == std::array<int16_t, 3> {})
            return EntryZero.arg(n + 1);
        entries.append(read);
    }
    return {};
}

QString ReadRoot(const QJsonObject& root, Session& session)
{
    const QJsonValue version = root.value(u"orvandeler");
    if (version.isUndefined())
        return NotSession;
    if (!version.isDouble() || version.toDouble() != 1.0)
        return UnknownVersion.arg(ScalarText(version));

    const QJsonValue view = root.value(u"view");
    if (view.isUndefined())
        return MissingKey.arg(u"view");
    const QString id = view.toString();
    const ViewRow* row = FindView(id);
    if (!view.isString() || (!row && id != QStringView(FreeViewId))) {
        QStringList ids;
        for (const ViewRow& documented : DocumentedViews())
            ids << QLatin1String(documented.id);
        ids << QString::fromUtf16(FreeViewId);
        return NotOneOf.arg(u"view", ids.join(u'、'));
    }

    const QJsonValue plotSize = root.value(u"plotSize");
    if (!plotSize.isUndefined()) {
        const QString text = plotSize.isDouble()
            ? QString::number(WholeIn(plotSize, 0, 999).value_or(-1))
            : plotSize.toString();
        if (!ReadPlotSize(text)) {
            QStringList sizes;
            for (int size : PlotSizes)
                sizes << QString::number(size);
            return NotOneOf.arg(u"plotSize", sizes.join(u'、'));
        }
        session.plotSize = text;
    }

    const QJsonValue lineWidth = root.value(u"lineWidth");
    if (!lineWidth.isUndefined()) {
        static const QRegularExpression digits(QStringLiteral("^[0-9]{0,3}$"));
        const std::optional<double> number = WholeIn(lineWidth, 0, 999);
        if (number)
            session.lineWidth = QString::number(*number);
        else if (lineWidth.isString() && digits.match(lineWidth.toString()).hasMatch())
            session.lineWidth = lineWidth.toString();
        else
            return NotDigits.arg(u"lineWidth");
    }

    if (row) {
        session.view = row;
    } else {
        FreeViewRecord free;
        if (QString error = ReadFree(root, free); !error.isEmpty())
            return error;
        session.view = free;
    }
    return ReadEntries(root, row == nullptr, session.entries);
}

void AppendString(QByteArray& out, const QString& text)
{
    QString escaped;
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            escaped += u'\\';
        if (c.unicode() < 0x20)
            escaped += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            escaped += c;
    }
    out += '"' + escaped.toUtf8() + '"';
}

// The shortest text that reads back as the same double.
void AppendNumber(QByteArray& out, double value)
{
    out += std::isfinite(value) ? QByteArray::number(value, 'g', QLocale::FloatingPointShortest)
                                : QByteArrayLiteral("null");
}

void AppendNumbers(QByteArray& out, const std::array<double, 3>& numbers)
{
    out += '[';
    for (std::size_t i = 0; i < 3; ++i) {
        if (i > 0)
            out += ", ";
        AppendNumber(out, numbers[i]);
    }
    out += ']';
}

void AppendFree(QByteArray& out, const FreeViewRecord& free)
{
    out += "  \"crystal\": {\"system\": ";
    AppendString(out, LatticeSystemName(free.system));
    const std::array<bool, 6> needed = FreeParameters(free.system);
    for (std::size_t i = 0; i < 6; ++i) {
        if (!needed[i])
            continue;
        out += ", \"" + QStringView(CellKeys[i]).toUtf8() + "\": ";
        AppendNumber(out, free.cell.values()[i]);
    }
    out += "},\n  \"centre\": ";
    AppendNumbers(out, free.centre);
    if (free.up) {
        out += ",\n  \"up\": ";
        AppendNumbers(out, *free.up);
    }
    out += ",\n  \"netLimit\": " + QByteArray::number(free.net.limit);
    out += ",\n  \"zoneCircles\": ";
    out += free.net.zoneCircles ? "true" : "false";
    out += ",\n  \"wulffNet\": ";
    out += free.net.wulffNet ? "true" : "false";
    out += ",\n";
}

} // namespace

QString Session::viewId() const
{
    const ViewRow* const* row = std::get_if<const ViewRow*>(&view);
    return row ? QString::fromLatin1((*row)->id) : QString::fromUtf16(FreeViewId);
}

QString LatticeSystemName(LatticeSystem system)
{
    return QString::fromUtf16(SystemNames[static_cast<int>(system)]);
}

std::optional<LatticeSystem> LatticeSystemFromName(const QString& name)
{
    const int index = IndexOf(SystemNames, name);
    return index < 0 ? std::nullopt : std::optional(static_cast<LatticeSystem>(index));
}

void ApplyFixedCellParameters(FreeViewRecord& record)
{
    record.cell = Constrained(record.system, record.cell);
}

SessionRead ReadSession(const QByteArray& bytes)
{
    SessionRead result;
    const TextRead file = TextOf(bytes);
    if (!file.error.isEmpty() || file.text.trimmed().isEmpty()) {
        result.error = file.error.isEmpty() ? EmptyFile : file.error;
        return result;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        result.error = SyntaxMessage(bytes, parseError);
    else if (!document.isObject())
        result.error = NotSession;
    else
        result.error = ReadRoot(document.object(), result.session);
    if (!result.error.isEmpty())
        result.session = Session();
    return result;
}

QByteArray WriteSession(const Session& session)
{
    static const QRegularExpression number(QStringLiteral("^[1-9][0-9]{0,2}$"));
    QByteArray out = "{\n  \"orvandeler\": 1,\n  \"view\": ";
    AppendString(out, session.viewId());
    out += ",\n  \"plotSize\": ";
    if (number.match(session.plotSize).hasMatch())
        out += session.plotSize.toLatin1();
    else
        AppendString(out, session.plotSize);
    out += ",\n  \"lineWidth\": ";
    AppendString(out, session.lineWidth);
    out += ",\n";
    if (const FreeViewRecord* free = std::get_if<FreeViewRecord>(&session.view))
        AppendFree(out, *free);
    out += "  \"entries\": [";
    for (qsizetype n = 0; n < session.entries.size(); ++n) {
        const IndexEntry& entry = session.entries[n];
        out += n == 0 ? "\n    {\"" : ",\n    {\"";
        out += entry.kind == IndexKind::Direction ? "direction" : "plane";
        out += "\": [" + QByteArray::number(entry.index[0]) + ", "
            + QByteArray::number(entry.index[1]) + ", " + QByteArray::number(entry.index[2]) + "]}";
    }
    out += session.entries.isEmpty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}
