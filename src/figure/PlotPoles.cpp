#include "figure/PlotPoles.h"

namespace {

void Mark(DrawingSurface& surface, const Placement& placement, double radius)
{
    surface.SetFillStyle(placement.away ? 1 : 0);
    surface.Circle(placement.at.x, placement.at.y, radius);
    surface.SetFillStyle(1);
}

} // namespace

void PlotPoles(DrawingSurface& surface, std::span<const Placement> placements, int plotSize)
{
    for (const Placement& placement : placements)
        Mark(surface, placement, plotSize);
}

void PlotPoles(DrawingSurface& surface, const PoleStore& store, const Projector& projector,
    int plotSize, int first)
{
    if (first < 0 || first >= store.PoleCount())
        return;
    const std::vector<Entry>& entries = store.entries();
    for (auto entry = entries.begin() + first; entry != entries.end(); ++entry)
        Mark(surface, Place(projector, *entry), plotSize);
}
