#pragma once

#include "poles/PoleStore.h"
#include "projection/Projector.h"
#include "surface/DrawingSurface.h"

// One circle per stored entry from the first on, in store order, of
// radius plotSize twips: filled for a plane's pole and
// for a direction toward the viewer, an open ring for one pointing away.
void PlotPoles(DrawingSurface& surface, const PoleStore& store, const Projector& projector,
    int plotSize, int first = 0);
