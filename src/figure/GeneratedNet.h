#pragma once

#include "projection/View.h"
#include "surface/DrawingSurface.h"

// The net of the free view: the primitive circle, the poles of the planes
// with indices up to the limit, labelled where a label fits, the zone
// circles and the Wulff net as the options ask. It leaves the line width
// set, the fill style open and the tone full.
void DrawGeneratedNet(
    DrawingSurface& surface, int lineWidth, const Projector& projector, const NetOptions& options);

// The same in two steps. What is fixed to the paper, which stays as the
// crystal turns: the primitive circle and the Wulff net.
void DrawGeneratedPaper(
    DrawingSurface& surface, int lineWidth, const Frame& frame, const NetOptions& options);
// The crystal's own part drawn over it: the zone circles and the poles
// with their labels.
void DrawGeneratedCrystal(
    DrawingSurface& surface, int lineWidth, const Projector& projector, const NetOptions& options);
