#pragma once

#include "geometry/Geometry.h"

// A point of the picture in twips: origin top-left, x right, y down.
struct TwipsPoint
{
    double x = 0.0;
    double y = 0.0;
};

// The three view frames, each with its inverse. The cubic view with
// symmetry puts (100) at (1000, 5500) and (110) 5000 twips to its right; the
// hexagonal one puts (0001) there at 2500 twips per projected unit; both full
// views centre on (3500, 3500) at 1500 twips per unit.
TwipsPoint CubicSymToScreen(ProjectedPoint p);
TwipsPoint HexSymToScreen(ProjectedPoint p);
TwipsPoint FullViewToScreen(ProjectedPoint p);
ProjectedPoint ScreenToCubicSym(TwipsPoint t);
ProjectedPoint ScreenToHexSym(TwipsPoint t);
ProjectedPoint ScreenToFullView(TwipsPoint t);
