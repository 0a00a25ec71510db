#include "drawing/PlotPoles.h"

#include "plotting/NumericText.h"

void PlotPoles(DrawingSurface& surface, const PoleStore& store, const QString& plotSize)
{
    if (store.PoleCount() == 0)
        return;
    // The plot size only ever holds one of its list items; a text without a
    // usable number (before start-up has set it) draws no marker at all.
    const std::optional<double> radius = ParseNumericText(plotSize);
    if (!radius || !(*radius > 0.0) || !(*radius < 1e6))
        return;
    for (const Pole& pole : store.poles()) {
        surface.SetFillStyle(0);
        surface.Circle(pole.PoleX, pole.PoleY, *radius);
        surface.SetFillStyle(1);
    }
}
