#include "projection/ProjectionKind.h"

#include <cmath>

namespace {

// The equal-area projection reaches the far pole at 2 sqrt(2) and, running
// on along the great circle, the centre again at twice that.
const double FarPoleRadius = 2.0 * std::sqrt(2.0);

} // namespace

ProjectedPoint Project(ProjectionKind kind, const Vector3& v)
{
    const double near = 1.0 + std::fabs(v[0]);
    // Equal-area: 2 sqrt(2) sin(theta / 2) / sin(theta) = 2 / sqrt(1 + cos theta),
    // which stays exact at the centre.
    const double scale = kind == ProjectionKind::Stereographic ? 2.0 / near : 2.0 / std::sqrt(near);
    return { scale * v[1], scale * v[2] };
}

Vector3 Unproject(ProjectionKind kind, ProjectedPoint p)
{
    const double q = (p.x * p.x + p.y * p.y) / 4.0;
    if (kind == ProjectionKind::Stereographic)
        return { (1.0 - q) / (1.0 + q), p.x / (1.0 + q), p.y / (1.0 + q) };
    if (q <= 2.0) {
        // At radius r: cos theta = 1 - r^2 / 4, and the rest along p.
        const double across = std::sqrt(2.0 - q) / 2.0;
        return { 1.0 - q, across * p.x, across * p.y };
    }
    // Past the far pole the direction runs on along the same great circle:
    // at radius r it is the one at 2 r0 - r turned half a turn about the
    // line of sight, and the whole repeats every 2 r0.
    const double radius = std::sqrt(4.0 * q);
    double back = std::fmod(radius, 2.0 * FarPoleRadius);
    double side = 1.0;
    if (back > FarPoleRadius) {
        back = 2.0 * FarPoleRadius - back;
        side = -1.0;
    }
    const double b = back * back / 4.0;
    const double across = side * back * std::sqrt(2.0 - b) / (2.0 * radius);
    return { 1.0 - b, across * p.x, across * p.y };
}
