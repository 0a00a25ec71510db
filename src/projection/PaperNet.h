#pragma once

#include "projection/CurvePath.h"
#include "surface/DrawingSurface.h"

#include <vector>

// A line of the net fixed to the paper and how strongly it is inked.
struct NetCurve
{
    Tone tone = Tone::Full;
    CurvePath path;
};

// The net for reading angles off the paper, a Wulff net in the
// stereographic projection and a Schmidt net in the equal-area one: the
// meridians through the top and bottom of the primitive circle and the
// parallels about those two points, every 2 degrees faint (the meridians
// up to 80 degrees from the equator, where they crowd together), every 10
// degrees full. The faint lines come first, so that the strong ones lie
// over them; the primitive itself is left out.
std::vector<NetCurve> PaperNet(const Frame& frame, ProjectionKind kind);
