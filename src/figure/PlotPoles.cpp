#include "figure/PlotPoles.h"

#include <optional>

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

void SquareMark(DrawingSurface& surface, TwipsPoint at, double half)
{
    const double left = at.x - half, right = at.x + half;
    const double top = at.y - half, bottom = at.y + half;
    surface.Line(left, top, right, top);
    surface.Line(right, top, right, bottom);
    surface.Line(right, bottom, left, bottom);
    surface.Line(left, bottom, left, top);
}

void PlotFigurePoles(DrawingSurface& surface, const PoleStore& store, const Placer& placer,
    int plotSize, bool indexLabels, int first, const VariantMarks& variants)
{
    if (first < 0 || first >= store.PoleCount())
        return;
    // Twips of clear paper around a mark.
    constexpr double Margin = 25.0;
    // A direction's dot, as a share of its ring.
    constexpr double Dot = 0.35;
    // A square as wide as the disc would look larger: the same area.
    constexpr double SquareHalf = 0.886;
    const double radius = FigureMarkRadius(plotSize);
    struct Mark
    {
        const Entry* entry;
        Placement placement;
        // 1-based while all the second's variants are drawn, else 0.
        int variant;
    };
    const std::span<const Entry> entries = std::span(store.entries()).subspan(std::size_t(first));
    std::vector<Mark> marks;
    marks.reserve(entries.size());
    // The second crystal's marks lie over the first's, however the two
    // were plotted in turn: a session keeps each crystal's entries apart.
    for (const int8_t crystal : { int8_t(0), int8_t(1) })
        for (const Entry& entry : entries) {
            if (entry.crystal != crystal)
                continue;
            if (crystal == 1 && !variants.variants.empty()) {
                for (std::size_t v = 0; v < variants.variants.size(); ++v)
                    marks.push_back({ &entry, Place(variants.variants[v], entry), int(v) + 1 });
            } else {
                marks.push_back({ &entry, Place(placer.of(entry), entry), 0 });
            }
        }
    for (const Mark& mark : marks)
        surface.KnockOut(mark.placement.at.x, mark.placement.at.y, radius + Margin);
    // The first crystal's marks all come before the second's.
    const auto colourOf = [&](const Mark& mark) {
        return int16_t(variants.colour && mark.entry->crystal == 1 ? 1 : 0);
    };
    int16_t colour = 0;
    const auto inColourOf = [&](const Mark& mark) {
        if (colourOf(mark) != colour)
            surface.SetInkColour(colour = colourOf(mark));
    };
    for (const Mark& mark : marks) {
        const TwipsPoint at = mark.placement.at;
        const bool plane = mark.entry->kind == IndexKind::Plane;
        inColourOf(mark);
        if (mark.entry->crystal == 1) {
            SquareMark(surface, at, radius * SquareHalf);
        } else {
            surface.SetFillStyle(plane ? 0 : 1);
            surface.Circle(at.x, at.y, radius);
        }
        if (!plane && !mark.placement.away) {
            surface.SetFillStyle(0);
            surface.Circle(at.x, at.y, radius * Dot);
        }
        surface.SetFillStyle(1);
    }
    if (variants.numbers) {
        surface.SetTextStyle(TextStyle::HaloedItalic);
        for (const Mark& mark : marks)
            if (mark.variant > 0) {
                inColourOf(mark);
                PrintVariantNumber(surface, mark.variant, mark.placement.at, radius);
            }
        surface.SetTextStyle(TextStyle::Plain);
    }
    const auto inkAgain = [&] {
        if (colour != 0)
            surface.SetInkColour(colour = 0);
    };
    if (!indexLabels) {
        inkAgain();
        return;
    }
    const bool fourFirst = UsesFourIndices(placer.first.lattice().system());
    const bool fourSecond = placer.second && UsesFourIndices(placer.second->lattice().system());
    std::optional<TextStyle> style;
    for (const Mark& mark : marks) {
        const bool second = mark.entry->crystal == 1;
        const TextStyle wanted = second ? TextStyle::HaloedBoldItalic : TextStyle::HaloedBold;
        if (style != wanted)
            surface.SetTextStyle(*(style = wanted));
        inColourOf(mark);
        PrintEntryLabel(surface, mark.entry->kind, mark.entry->index,
            second ? fourSecond : fourFirst, mark.placement.at, radius);
    }
    surface.SetTextStyle(TextStyle::Plain);
    inkAgain();
}
