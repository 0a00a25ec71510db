#pragma once

#include "poles/EntryGeometry.h"
#include "poles/Placer.h"
#include "poles/PoleStore.h"
#include "projection/Projector.h"
#include "surface/DrawingSurface.h"

#include <algorithm>
#include <span>

// One circle per placement, in order, of radius plotSize twips: filled for
// a plane's pole and for a direction toward the viewer, an open ring for one
// pointing away.
void PlotPoles(DrawingSurface& surface, std::span<const Placement> placements, int plotSize);
// The same for the stored entries from the first on, placed by the projector.
void PlotPoles(DrawingSurface& surface, const PoleStore& store, const Projector& projector,
    int plotSize, int first = 0);

// The smallest radius, in twips, of a figure's mark: well clear of the
// net's dots at every plot size.
inline constexpr int MinFigureMark = 45;
inline double FigureMarkRadius(int plotSize)
{
    return std::max(plotSize, MinFigureMark);
}
// The second crystal's marks while all its variants are shown: one
// projector per variant, and whether each mark carries its variant's
// number; and whether its marks and labels take its colour.
struct VariantMarks
{
    std::span<const Projector> variants;
    bool numbers = false;
    bool colour = false;
};

// The stored entries from the first on as a figure shows them, each placed
// by its own crystal and drawn over a knock-out that clears the net's lines
// and labels beneath: for the first crystal a plane's pole a filled disc, a
// direction a ring with a dot at its centre (the ring alone when it points
// away); for the second an open square (with the dot for a direction), so
// that the picture stays black on white. On request each is labelled with
// its own index in bold, the second's in italics. With variants, the
// second's entries are drawn once for each.
void PlotFigurePoles(DrawingSurface& surface, const PoleStore& store, const Placer& placer,
    int plotSize, bool indexLabels, int first = 0, const VariantMarks& variants = {});

// An open square of half-width half about at, in lines of the pen's width.
void SquareMark(DrawingSurface& surface, TwipsPoint at, double half);
