#pragma once

#include "projection/View.h"
#include "surface/DrawingSurface.h"

#include <QString>

// The net of the free view: the primitive circle, the poles of the planes
// with indices up to the limit, labelled where a label fits, the zone
// circles and the Wulff net as the options ask.
void DrawGeneratedNet(DrawingSurface& surface, const QString& lineWidth, const Projector& projector,
    const NetOptions& options);
