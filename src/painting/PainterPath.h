#pragma once

#include "surface/PathPiece.h"

#include <QPainterPath>
#include <span>

// A curve of the picture as a painter path in logical pixels, built in
// double precision from the pieces' own lines and Bezier controls: Qt's
// arcs and ellipses would stray by a pixel and more on the huge circles of
// near-diameters.
QPainterPath ToPainterPath(TwipsPoint start, std::span<const PathPiece> pieces);
