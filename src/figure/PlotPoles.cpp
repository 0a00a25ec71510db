#include "figure/PlotPoles.h"

#include "figure/PoleLabels.h"

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

void PlotFigurePoles(DrawingSurface& surface, const PoleStore& store, const Projector& projector,
    int plotSize, bool indexLabels, int first)
{
    if (first < 0 || first >= store.PoleCount())
        return;
    // Twips of clear paper around a mark.
    constexpr double Margin = 25.0;
    // A direction's dot, as a share of its ring.
    constexpr double Dot = 0.35;
    const double radius = FigureMarkRadius(plotSize);
    const std::span<const Entry> entries = std::span(store.entries()).subspan(std::size_t(first));
    std::vector<Placement> placements;
    placements.reserve(entries.size());
    for (const Entry& entry : entries) {
        placements.push_back(Place(projector, entry));
        surface.KnockOut(placements.back().at.x, placements.back().at.y, radius + Margin);
    }
    for (std::size_t n = 0; n < entries.size(); ++n) {
        const TwipsPoint at = placements[n].at;
        const bool plane = entries[n].kind == IndexKind::Plane;
        surface.SetFillStyle(plane ? 0 : 1);
        surface.Circle(at.x, at.y, radius);
        if (!plane && !placements[n].away) {
            surface.SetFillStyle(0);
            surface.Circle(at.x, at.y, radius * Dot);
        }
        surface.SetFillStyle(1);
    }
    if (!indexLabels)
        return;
    const bool fourIndices = UsesFourIndices(projector.lattice().system());
    surface.SetTextStyle(TextStyle::HaloedBold);
    for (std::size_t n = 0; n < entries.size(); ++n)
        PrintEntryLabel(
            surface, entries[n].kind, entries[n].index, fourIndices, placements[n].at, radius);
    surface.SetTextStyle(TextStyle::Plain);
}
