#pragma once

#include "projection/Frame.h"

#include <QPainterPath>

// The great circle at right angles to normal (in the view's frame) on the
// picture, in logical pixels: its image is a circle about
// 2 (n1, n2) / n0 of radius 2 / |n0| in the projected plane, or a diameter
// when the normal lies in the drawing plane. Whole; the caller clips it to
// the primitive circle.
QPainterPath GreatCirclePath(const Frame& frame, const Vector3& normal);
