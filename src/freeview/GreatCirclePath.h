#pragma once

#include "projection/Frame.h"

#include <QPainterPath>

// The half of the great circle at right angles to normal (in the view's
// frame) that faces the viewer, on the picture in logical pixels, in the
// frame's projection: a curve from the primitive circle to the primitive
// circle, a diameter when it passes through the centre, within a tenth of
// a pixel of the true curve.
QPainterPath GreatCirclePath(const Frame& frame, const Vector3& normal);
