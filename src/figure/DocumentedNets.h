#pragma once

#include "surface/DrawingSurface.h"

// The four documented nets, each beginning by setting the line width.
// The standard triangle of the cubic view with symmetry.
void DrawCubicSymNet(DrawingSurface& surface, int lineWidth);
// The whole cubic standard projection centred on (100).
void DrawCubicFullNet(DrawingSurface& surface, int lineWidth);
// The 30-degree sector of the hexagonal view with symmetry.
void DrawHexSymNet(DrawingSurface& surface, int lineWidth);
// The whole hexagonal standard projection centred on (0001).
void DrawHexFullNet(DrawingSurface& surface, int lineWidth);
