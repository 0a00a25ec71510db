#include "poles/PlotPoles.h"

void PlotPoles(DrawingSurface& surface, const PoleStore& store, const QString& plotSize, int first)
{
    if (first < 0 || first >= store.PoleCount())
        return;
    // The plot size only ever holds one of its list items; without one
    // (before start-up has set it) no marker is drawn at all.
    bool ok = false;
    const double radius = plotSize.toDouble(&ok);
    if (!ok || !(radius > 0.0) || !(radius < 1e6))
        return;
    for (auto pole = store.poles().begin() + first; pole != store.poles().end(); ++pole) {
        surface.SetFillStyle(0);
        surface.Circle(pole->PoleX, pole->PoleY, radius);
        surface.SetFillStyle(1);
    }
}
