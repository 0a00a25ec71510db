#pragma once

#include "projection/Projector.h"

// Turns of the crystal in the view's frame; a new orientation is the turn
// times the old one.
namespace Turning {

// The turn that carries the direction drawn at from to the one drawn at
// to, so that the crystal follows the pointer; points beyond the primitive
// circle continue onto the far hemisphere.
Rotation Drag(const Projector& projector, TwipsPoint from, TwipsPoint to);
// Tilts seen on the screen: right moves the centre to the right, up moves
// it up; clockwise turns about the centre, as the viewer sees it.
Rotation Right(double degrees);
Rotation Up(double degrees);
Rotation Clockwise(double degrees);

} // namespace Turning
