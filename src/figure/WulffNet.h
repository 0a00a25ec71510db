#pragma once

#include "projection/Frame.h"
#include "surface/DrawingSurface.h"

// A Wulff net fixed to the paper, for reading angles: the meridians through
// the top and bottom of the primitive circle and the parallels about those
// two points, every 2 degrees faint and one pixel wide (the meridians up
// to 80 degrees from the equator, where they crowd together), every 10
// degrees fully inked at the line width. The primitive itself is left to
// the net. Leaves the tone full and the pen at the line width.
void DrawWulffNet(DrawingSurface& surface, const Frame& frame, int lineWidth);
