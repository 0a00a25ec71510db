#include "plotting/NumericText.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == QChar(0x3000);
}

bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Optional sign, digits with an optional fraction or a fraction alone,
// optional exponent with at least one digit; nothing else.
bool IsNumberSyntax(const QByteArray& s)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == '+' || s[i] == '-'))
        ++i;
    qsizetype intDigits = 0;
    while (i < n && IsAsciiDigit(s[i])) {
        ++i;
        ++intDigits;
    }
    qsizetype fracDigits = 0;
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && IsAsciiDigit(s[i])) {
            ++i;
            ++fracDigits;
        }
    }
    if (intDigits == 0 && fracDigits == 0)
        return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-'))
            ++i;
        qsizetype expDigits = 0;
        while (i < n && IsAsciiDigit(s[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    return i == n;
}

// strtod in the "C" locale, whatever locale the application runs in.
double ToDoubleC(const QByteArray& s)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(s.constData(), nullptr, cLocale);
}

} // namespace

std::optional<double> ParseNumericText(const QString& text)
{
    QString normalised = text.normalized(QString::NormalizationForm_KC);
    normalised.replace(QChar(0x2212), u'-');

    qsizetype begin = 0;
    qsizetype end = normalised.size();
    while (begin < end && IsBlank(normalised[begin]))
        ++begin;
    while (end > begin && IsBlank(normalised[end - 1]))
        --end;
    const QString trimmed = normalised.mid(begin, end - begin);

    for (QChar c : trimmed) {
        if (c.unicode() > 0x7f)
            return std::nullopt;
    }
    const QByteArray ascii = trimmed.toLatin1();
    if (!IsNumberSyntax(ascii))
        return std::nullopt;
    return ToDoubleC(ascii);
}
