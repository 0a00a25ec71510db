#pragma once

#include <QString>

// The widest pen a line-width text may ask for, in pixels.
constexpr int MaxDrawWidth = 100;

// The pen width a line-width text stands for, or 0 when it is no whole
// number from 1 to MaxDrawWidth: such a text keeps the width there was.
inline int ParseDrawWidth(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    int value = 0;
    for (const QChar c : trimmed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
        value = value * 10 + (c.unicode() - '0');
        if (value > MaxDrawWidth)
            return 0;
    }
    return value;
}
