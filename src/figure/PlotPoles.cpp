#include "figure/PlotPoles.h"

#include "poles/EntryGeometry.h"

void PlotPoles(DrawingSurface& surface, const PoleStore& store, const Projector& projector,
    int plotSize, int first)
{
    if (first < 0 || first >= store.PoleCount())
        return;
    const double radius = plotSize;
    const std::vector<Entry>& entries = store.entries();
    for (auto entry = entries.begin() + first; entry != entries.end(); ++entry) {
        const Placement placement = Place(projector, *entry);
        surface.SetFillStyle(placement.away ? 1 : 0);
        surface.Circle(placement.at.x, placement.at.y, radius);
        surface.SetFillStyle(1);
    }
}
