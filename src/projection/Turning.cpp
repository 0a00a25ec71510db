#include "projection/Turning.h"

namespace {

double Radians(double degrees)
{
    return degrees * Pi / 180.0;
}

} // namespace

Rotation Turning::Drag(const Projector& projector, TwipsPoint from, TwipsPoint to)
{
    return Rotation::Between(projector.unproject(from), projector.unproject(to));
}

Rotation Turning::Right(double degrees)
{
    return Rotation::AboutAxis({ 0, 0, 1 }, Radians(degrees));
}

Rotation Turning::Up(double degrees)
{
    return Rotation::AboutAxis({ 0, 1, 0 }, -Radians(degrees));
}

Rotation Turning::Clockwise(double degrees)
{
    return Rotation::AboutAxis({ 1, 0, 0 }, -Radians(degrees));
}
