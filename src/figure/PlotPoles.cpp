#include "figure/PlotPoles.h"

#include "poles/EntryGeometry.h"

void PlotPoles(DrawingSurface& surface, const PoleStore& store, const View& view,
    const QString& plotSize, int first)
{
    if (first < 0 || first >= store.PoleCount())
        return;
    // The plot size only ever holds one of its list items; without one
    // (before start-up has set it) no marker is drawn at all.
    bool ok = false;
    const double radius = plotSize.toDouble(&ok);
    if (!ok || !(radius > 0.0) || !(radius < 1e6))
        return;
    const std::vector<Entry>& entries = store.entries();
    for (auto entry = entries.begin() + first; entry != entries.end(); ++entry) {
        const Placement placement = Place(view, *entry);
        surface.SetFillStyle(placement.away ? 1 : 0);
        surface.Circle(placement.at.x, placement.at.y, radius);
        surface.SetFillStyle(1);
    }
}
