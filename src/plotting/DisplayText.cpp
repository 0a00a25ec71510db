#include "plotting/DisplayText.h"

#include "surface/DisplaySettings.h"

#include <algorithm>

std::optional<int> ReadLineWidth(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    int value = 0;
    for (const QChar c : trimmed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
        if (value > MaxLineWidth)
            return std::nullopt;
    }
    return value > 0 ? std::optional(value) : std::nullopt;
}

std::optional<int> ReadPlotSize(const QString& text)
{
    const auto listed = std::find_if(PlotSizes.begin(), PlotSizes.end(),
        [&](int size) { return text == QString::number(size); });
    return listed == PlotSizes.end() ? std::nullopt : std::optional(*listed);
}
