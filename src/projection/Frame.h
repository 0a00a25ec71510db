#pragma once

#include "geometry/Geometry.h"

// Where the projected plane lies on the picture: the centre of projection
// at (x, y) twips, scale twips per projected unit, projected y drawn up;
// unless set, the frame of the full views and the free view. The plane is
// the stereographic one (StereoProject); a projection of another kind
// would be named here, with the frame it is drawn in.
struct Frame
{
    double x = 3500.0;
    double y = 3500.0;
    double scale = 1500.0;

    TwipsPoint toTwips(ProjectedPoint p) const { return { x + scale * p.x, y - scale * p.y }; }
    ProjectedPoint fromTwips(TwipsPoint t) const
    {
        return { (t.x - x) / scale, (y - t.y) / scale };
    }
    bool operator==(const Frame&) const = default;
};
