#include "projection/ProjectionKind.h"

#include <cmath>

namespace {

// The equal-area projection reaches the far pole at 2 sqrt(2) and, running
// on along the great circle, the centre again at twice that.
const double FarPoleRadius = 2.0 * std::sqrt(2.0);

} // namespace

QString ProjectionName(ProjectionKind kind)
{
    return kind == ProjectionKind::EqualArea ? QStringLiteral("等積投影")
                                             : QStringLiteral("ステレオ投影");
}

ProjectedPoint Project(ProjectionKind kind, const Vector3& v)
{
    // The documented projection from the far pole, onto the plane touching it.
    if (kind == ProjectionKind::Stereographic)
        return StereoProject({ -std::fabs(v[0]), v[1], v[2] });
    // Equal-area: 2 sqrt(2) sin(theta / 2) / sin(theta) = 2 / sqrt(1 + cos theta),
    // which stays exact at the centre.
    const double scale = 2.0 / std::sqrt(1.0 + std::fabs(v[0]));
    return { scale * v[1], scale * v[2] };
}

Vector3 Unproject(ProjectionKind kind, ProjectedPoint p)
{
    if (kind == ProjectionKind::Stereographic) {
        const Vector3 w = StereoUnproject(p);
        return { -w[0], w[1], w[2] };
    }
    const double q = (p.x * p.x + p.y * p.y) / 4.0;
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
