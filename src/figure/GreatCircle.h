#pragma once

#include "geometry/Geometry.h"
#include "projection/Frame.h"
#include "surface/DrawingSurface.h"

#include <optional>

// Where the half of a great circle that faces the viewer is drawn, in
// twips: an arc inside the primitive circle with both ends on it, a
// diameter when the circle is seen edge-on, or the primitive itself when
// the viewer looks along the circle's normal.
struct GreatCircleTrace
{
    enum class Shape : int8_t { Arc, Diameter, Primitive };
    Shape shape = Shape::Primitive;
    // Arc: its circle; it runs counterclockwise on screen from start, in
    // [0, 2 pi), to end = start + its sweep, which may pass 2 pi.
    TwipsPoint centre;
    double radius = 0.0;
    double start = 0.0;
    double end = 0.0;
    // Arc and diameter: the two ends on the primitive circle.
    TwipsPoint from;
    TwipsPoint to;
};

// The trace of the great circle perpendicular to normal, a vector of the
// view's frame (component 0 toward the viewer) of any length; none for a
// zero or non-finite normal.
std::optional<GreatCircleTrace> TraceGreatCircle(const Frame& frame, const Vector3& normal);

// Draws the arc of the circle about centre counterclockwise on screen from
// start to end (radians, start <= end <= start + 2 pi, any turn), as one or
// two Arc calls: the surface's arcs stay between 0 and 2 pi.
void DrawArcSpan(
    DrawingSurface& surface, TwipsPoint centre, double radius, double start, double end);

// Draws that trace with the surface's current pen: one or two Arc calls
// (two when it crosses angle 0), a Line, or the whole primitive as an Arc
// from 0 to 2 pi, so that a filling fill style never fills it.
void DrawGreatCircle(DrawingSurface& surface, const Frame& frame, const Vector3& normal);
