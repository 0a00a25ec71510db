#pragma once

#include "geometry/Geometry.h"
#include "projection/ProjectionKind.h"

// Where the projected plane lies on the picture: the centre of projection
// at (x, y) twips, scale twips per projected unit, projected y drawn up,
// and how the hemisphere is laid flat on it; unless set, the stereographic
// frame of the full views and the free view.
struct Frame
{
    double x = 3500.0;
    double y = 3500.0;
    double scale = 1500.0;
    ProjectionKind kind = ProjectionKind::Stereographic;

    TwipsPoint toTwips(ProjectedPoint p) const { return { x + scale * p.x, y - scale * p.y }; }
    ProjectedPoint fromTwips(TwipsPoint t) const
    {
        return { (t.x - x) / scale, (y - t.y) / scale };
    }
    bool operator==(const Frame&) const = default;
};
