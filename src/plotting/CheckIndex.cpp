#include "plotting/CheckIndex.h"

#include "plotting/NumericText.h"

#include <QRegularExpression>
#include <cmath>

namespace {

// How many numbers a text holds that is not one: "1 0 -1 2" or "(1, 2, 3)"
// typed into one box. 0 unless every part is a number.
qsizetype NumbersIn(const QString& text)
{
    static const QRegularExpression apart(QStringLiteral("[\\s,]+"));
    QString bare = text.normalized(QString::NormalizationForm_KC);
    bare.remove(QRegularExpression(QStringLiteral("[()\\[\\]]")));
    const QStringList parts = bare.split(apart, Qt::SkipEmptyParts);
    for (const QString& part : parts)
        if (!ParseNumericText(part))
            return 0;
    return parts.size();
}

// Message 1, with a word on the box that holds a whole index.
QString NotNumericMessage(const QStringList& texts)
{
    for (const QString& text : texts)
        if (!ParseNumericText(text))
            if (const qsizetype n = NumbersIn(text); n > 1)
                return Messages::NotNumeric + u'\n'
                    + Messages::SeveralNumbers.arg(text.trimmed()).arg(n);
    return Messages::NotNumeric;
}

QString Number(double value)
{
    return QString::number(value, 'g', 15);
}

// The zero and fraction tests on values read; typed holds every number as typed.
CheckIndexResult Checked(const std::array<double, 3>& values, const QList<double>& typed)
{
    CheckIndexResult result;
    result.values = values;
    if (values[0] == 0.0 && values[1] == 0.0 && values[2] == 0.0) {
        result.message = Messages::ZeroIndex;
        return result;
    }
    // An infinity has no fractional part; it is refused later as too large.
    for (double value : typed) {
        if (std::isfinite(value) && value - std::floor(value) != 0.0) {
            result.message = Messages::DecimalsDropped;
            break;
        }
    }
    result.proceed = true;
    return result;
}

} // namespace

CheckIndexResult CheckIndex(const QString& x, const QString& y, const QString& z)
{
    return CheckIndexTexts({ x, y, z }, IndexKind::Plane);
}

CheckIndexResult CheckIndexTexts(const QStringList& texts, IndexKind kind)
{
    const bool four = texts.size() == 4;
    QList<double> typed;
    for (qsizetype j = 0; j < texts.size(); ++j) {
        // The third of four may be left to follow from the first two.
        if (four && j == 2 && texts[j].trimmed().isEmpty())
            continue;
        const std::optional<double> value = ParseNumericText(texts[j]);
        if (!value) {
            CheckIndexResult result;
            result.message = NotNumericMessage(texts);
            return result;
        }
        typed.append(*value);
    }
    if (!four)
        return Checked({ typed.value(0), typed.value(1), typed.value(2) }, typed);

    const double third = ThirdIndex(typed[0], typed[1]);
    const bool given = typed.size() == 4;
    const std::optional<std::array<double, 3>> three = ThreeIndexForm(
        kind, { typed[0], typed[1], given ? typed[2] : third, typed[given ? 3 : 2] });
    if (!three) {
        CheckIndexResult result;
        result.message
            = (kind == IndexKind::Plane ? Messages::BadThirdPlane : Messages::BadThirdDirection)
                  .arg(Number(third), Number(typed[2]));
        return result;
    }
    return Checked(*three, typed);
}
