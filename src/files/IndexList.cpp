#include "files/IndexList.h"

#include "files/FileAccess.h"
#include "files/FileMessages.h"
#include "plotting/NumericText.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>

using namespace FileMessages;

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView Trimmed(QStringView text)
{
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

// Fields between single commas or runs of blanks; nothing when a field is
// empty, as in "1,,2", or there are more than four.
std::optional<QList<QStringView>> Fields(QStringView text)
{
    QList<QStringView> fields;
    qsizetype i = 0;
    const qsizetype n = text.size();
    for (;;) {
        const qsizetype start = i;
        while (i < n && !IsBlank(text[i]) && text[i] != u',')
            ++i;
        if (i == start || fields.size() == 4)
            return std::nullopt;
        fields.append(text.sliced(start, i - start));
        while (i < n && IsBlank(text[i]))
            ++i;
        if (i == n)
            return fields;
        if (text[i] == u',') {
            ++i;
            while (i < n && IsBlank(text[i]))
                ++i;
        }
    }
}

// The line as the message quotes it: without its blanks around, and cut
// short, since a file that is not a list may have lines of any length.
QString Quoted(QStringView line)
{
    constexpr qsizetype Shown = 40;
    const QStringView trimmed = Trimmed(line);
    return trimmed.size() <= Shown ? trimmed.toString()
                                   : trimmed.first(Shown).toString() + QStringLiteral("…");
}

// Reads one line that is neither blank nor a comment; returns the message
// template of what is wrong with it, or nothing.
std::optional<QString> ReadLine(
    QStringView line, const IndexListOptions& options, IndexEntry& entry)
{
    const QString& notIndex = options.directions ? BadLineOrDirection : BadLine;
    if (line.isEmpty())
        return notIndex;
    QStringView inner = line;
    // The brackets of a plane, a direction and their families.
    constexpr std::array<std::array<char16_t, 2>, 5> Brackets { { { u'(', u')' }, { u'[', u']' },
        { u'{', u'}' }, { u'<', u'>' }, { u'\u27e8', u'\u27e9' } } };
    const auto bracket = std::find_if(Brackets.begin(), Brackets.end(),
        [&line](const auto& pair) { return line.front() == pair[0]; });
    const std::size_t form = std::size_t(bracket - Brackets.begin());
    const bool direction = form == 1 || form == 3 || form == 4;
    const bool family = form >= 2 && form <= 4;
    entry.kind = direction ? IndexKind::Direction : IndexKind::Plane;
    if (bracket != Brackets.end()) {
        if (line.size() < 2 || line.back() != (*bracket)[1])
            return notIndex;
        inner = Trimmed(line.sliced(1, line.size() - 2));
    }
    const std::optional<QList<QStringView>> fields = Fields(inner);
    if (!fields || fields->size() < 3)
        return notIndex;
    std::array<double, 4> values {};
    for (qsizetype j = 0; j < fields->size(); ++j) {
        const std::optional<double> value = ParseNumericText(fields->at(j).toString());
        if (!value)
            return notIndex;
        values[static_cast<std::size_t>(j)] = *value;
    }
    if (family && !options.families)
        return LineFamily;
    if (direction && !options.directions)
        return LineDirection;
    const bool four = fields->size() == 4;
    if (four && !options.fourIndex)
        return LineFourIndex;
    // The four-index forms of stored indices reach three times their range,
    // i = -(h + k) and [2U-V 2V-U -(U+V) 3W]; what they stand for must fit.
    const double limit = (four ? 3.0 : 1.0) * -double(std::numeric_limits<int16_t>::min());
    for (double value : values)
        if (!(std::fabs(value) <= limit) || value != std::trunc(value))
            return LineNotWhole;

    std::array<double, 3> index { values[0], values[1], values[2] };
    if (four) {
        const std::optional<std::array<double, 3>> three = ThreeIndexForm(entry.kind, values);
        if (!three)
            return direction ? LineBadT : LineBadI;
        index = *three;
    }
    if (!FitsIndex(index[0]) || !FitsIndex(index[1]) || !FitsIndex(index[2]))
        return LineNotWhole;
    if (index == std::array<double, 3> {})
        return LineZero;
    for (std::size_t j = 0; j < 3; ++j)
        entry.index[j] = static_cast<int16_t>(index[j]);
    if (family)
        entry.family = entry.index;
    return std::nullopt;
}

} // namespace

IndexListRead ReadIndexList(const QByteArray& bytes, IndexListOptions options)
{
    IndexListRead result;
    const TextRead file = TextOf(bytes);
    if (!file.error.isEmpty()) {
        result.error = file.error;
        return result;
    }
    qsizetype lineNumber = 0;
    for (QStringView raw : QStringView(file.text).split(u'\n')) {
        ++lineNumber;
        if (raw.endsWith(u'\r'))
            raw.chop(1);
        // Full-width digits, signs, brackets and blanks read as ASCII, and so
        // does U+2212, which NFKC leaves alone.
        // ASCII lines, nearly all, skip that work.
        QString normalised = raw.toString();
        if (std::any_of(raw.begin(), raw.end(), [](QChar c) { return c.unicode() > 0x7f; })) {
            normalised = normalised.normalized(QString::NormalizationForm_KC);
            normalised.replace(QChar(0x2212), u'-');
        }
        const QStringView line = Trimmed(normalised);
        if (line.isEmpty() || line.front() == u'#')
            continue;
        if (result.entries.size() == MaxFileEntries) {
            result.entries.clear();
            result.error = TooManyEntries;
            return result;
        }
        IndexEntry entry;
        QStringView indices = line;
        IndexListOptions own = options;
        if (line.size() > 2 && line[1] == u':' && (line[0] == u'1' || line[0] == u'2')) {
            entry.crystal = line[0] == u'2' ? 1 : 0;
            if (entry.crystal == 1 && !options.secondFourIndex) {
                result.entries.clear();
                result.error = LineNoSecond.arg(QString::number(lineNumber), Quoted(raw));
                return result;
            }
            if (entry.crystal == 1)
                own.fourIndex = *options.secondFourIndex;
            indices = Trimmed(line.sliced(2));
        }
        if (const std::optional<QString> problem = ReadLine(indices, own, entry)) {
            result.entries.clear();
            result.error = problem->arg(QString::number(lineNumber), Quoted(raw));
            return result;
        }
        result.entries.append(entry);
    }
    return result;
}
