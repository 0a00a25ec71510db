#pragma once

#include "projection/Frame.h"
#include "projection/ProjectionKind.h"
#include "surface/PathPiece.h"
#include "surface/PictureSize.h"

#include <vector>

// How far a drawn curve may stray from the true one: a quarter of a pixel.
inline constexpr double CurveTolerance = PictureSize::TwipsPerPixel / 4.0;

// The visible part of a curve: from start through each piece in turn; a
// closed curve ends where it starts. Empty when nothing of it faces the
// viewer.
struct CurvePath
{
    TwipsPoint start;
    std::vector<PathPiece> pieces;
    bool empty() const { return pieces.empty(); }
};

// Curves of the sphere as drawn, in either projection. Directions are of
// the view's frame (component 0 toward the viewer, 1 right, 2 up) and of
// any length. A stereographic curve is made of true arcs, or is a straight
// line where it is one within a sixtieth of a pixel; an equal-area one is
// made of Bezier curves. Every piece lies within a tenth of a pixel of the
// true curve, ends on the primitive circle lie on it, and nothing runs
// outside it.

// The half of the great circle at right angles to normal that faces the
// viewer, from the primitive circle to the primitive circle: the diameter
// it is when it passes within CurveTolerance of the centre, the whole
// primitive when seen face-on; empty for a zero or non-finite normal.
CurvePath GreatCircleCurve(const Frame& frame, ProjectionKind kind, const Vector3& normal);

// The part facing the viewer of the circle of the directions at
// angularRadius (radians, between 0 and pi) from axis: closed when all of
// it does, else running from the primitive circle to the primitive circle.
CurvePath SmallCircleCurve(
    const Frame& frame, ProjectionKind kind, const Vector3& axis, double angularRadius);

// The part facing the viewer of the shorter great-circle arc from `from`
// to `to`; empty when they are parallel or opposite.
CurvePath GreatArcCurve(
    const Frame& frame, ProjectionKind kind, const Vector3& from, const Vector3& to);
