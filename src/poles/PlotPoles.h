#pragma once

#include "poles/PoleStore.h"
#include "surface/DrawingSurface.h"

#include <QString>

// One filled circle per stored pole from the first on, in store order; the
// radius in twips is the number in the plot-size text.
void PlotPoles(
    DrawingSurface& surface, const PoleStore& store, const QString& plotSize, int first = 0);
