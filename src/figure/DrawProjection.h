#pragma once

#include "projection/View.h"
#include "surface/DrawingSurface.h"

// Draws the net of the view with the line width: one of the four documented
// nets, or the net generated for the free view.
void DrawProjection(DrawingSurface& surface, int lineWidth, const View& view);
