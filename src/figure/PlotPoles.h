#pragma once

#include "poles/EntryGeometry.h"
#include "poles/PoleStore.h"
#include "projection/Projector.h"
#include "surface/DrawingSurface.h"

#include <span>

// One circle per placement, in order, of radius plotSize twips: filled for
// a plane's pole and for a direction toward the viewer, an open ring for one
// pointing away.
void PlotPoles(DrawingSurface& surface, std::span<const Placement> placements, int plotSize);
// The same for the stored entries from the first on, placed by the projector.
void PlotPoles(DrawingSurface& surface, const PoleStore& store, const Projector& projector,
    int plotSize, int first = 0);
