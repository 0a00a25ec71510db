#pragma once

#include <cstdint>

// A point of the picture in twips: origin top-left, x right, y down.
struct TwipsPoint
{
    double x = 0.0;
    double y = 0.0;
};

// One piece of a curve on the picture, in twips, from where the piece
// before it ended (or the path's start) to `to`.
struct PathPiece
{
    enum class Kind : int8_t { Line, Arc, Cubic };
    Kind kind = Kind::Line;
    TwipsPoint to;
    // Arc and Cubic: the Bezier curve to draw, computed in double precision
    // and within the tolerance of the true curve. A painter should draw an
    // arc by these too: its own Bezier arcs stray by 5e-4 of the radius,
    // a pixel and more on the huge circles of near-diameters.
    TwipsPoint control1;
    TwipsPoint control2;
    // Arc: the exact circle, the angle at which the piece starts and its
    // sweep, at most a quarter turn; radians, counterclockwise on screen.
    TwipsPoint centre;
    double radius = 0.0;
    double start = 0.0;
    double sweep = 0.0;
};
