#pragma once

#include "drawing/DrawingSurface.h"
#include "drawing/PoleStore.h"

#include <QString>

// One filled circle per stored pole, in store order; the radius in twips is
// the number in the plot-size text.
void PlotPoles(DrawingSurface& surface, const PoleStore& store, const QString& plotSize);
