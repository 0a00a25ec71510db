#pragma once

#include "geometry/Geometry.h"

#include <QString>
#include <cstdint>

// How the hemisphere facing the viewer is laid flat. Stereographic keeps
// angles and draws every circle of the sphere as a circle; equal-area
// (Lambert's azimuthal projection, the Schmidt net's) keeps areas, so that
// densities of poles can be compared. Both put a direction at its own
// azimuth and the directions 90 degrees from the centre on the primitive
// circle, of radius 2 in the projected plane.
enum class ProjectionKind : int8_t { Stereographic, EqualArea };

// Its name as the dialog and a figure's caption give it: "ステレオ投影", "等積投影".
QString ProjectionName(ProjectionKind kind);

// Where the unit vector v of the view's frame (component 0 toward the
// viewer) is drawn: at 2 tan(theta / 2) from the centre (stereographic) or
// 2 sqrt(2) sin(theta / 2) (equal-area), theta its angle to the line of
// sight. A vector pointing away lies at its own azimuth, seen through the
// sphere.
ProjectedPoint Project(ProjectionKind kind, const Vector3& v);

// The unit vector drawn at p: on the visible hemisphere inside the
// primitive circle, and beyond it continued onto the far hemisphere
// (component 0 negative), so that dragging turns the crystal wherever the
// pointer goes. The stereographic far pole lies at infinity; the
// equal-area one on the circle of radius 2 sqrt(2), past which the
// direction runs on along the same great circle.
Vector3 Unproject(ProjectionKind kind, ProjectedPoint p);
