#pragma once

#include "poles/EntryGeometry.h"
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
// The stored entries from the first on as a figure shows them, each over a
// knock-out that clears the net's lines and labels beneath: a plane's pole
// a filled disc, a direction a ring with a dot at its centre (the ring alone
// when it points away); on request each labelled with its own index in bold.
void PlotFigurePoles(DrawingSurface& surface, const PoleStore& store, const Projector& projector,
    int plotSize, bool indexLabels, int first = 0);
