#pragma once

#include "math/Vector3.h"
#include "surface/PathPiece.h"

// The program's value of pi: the 15-digit decimal, kept as the angle lists
// and the nets have always been computed with it.
inline constexpr double Pi = 3.14159265358979;

// A point of the projected plane, in which the primitive circle has radius 2.
struct ProjectedPoint
{
    double x = 0.0;
    double y = 0.0;
};

// The stereographic projection of the unit vector w (w[0] <= 0) onto the
// plane touching (-1, 0, 0).
ProjectedPoint StereoProject(const Vector3& w);
// The unit vector that projects onto p; w[0] <= 0 exactly when p lies on or
// inside the primitive circle.
Vector3 StereoUnproject(ProjectedPoint p);

// The angle in degrees between a and b, from 0 to 180: opposite directions
// are 180 apart. A cosine that rounding carries past +-1 counts as +-1.
double AngleBetween(const Vector3& a, const Vector3& b);

// v divided by its length; v must not be the zero vector.
Vector3 UnitVector(const Vector3& v);
