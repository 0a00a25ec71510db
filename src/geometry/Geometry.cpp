#include "geometry/Geometry.h"

#include <cmath>

ProjectedPoint StereoProject(const Vector3& w)
{
    const double t = 2.0 / (1.0 - w[0]);
    return { t * w[1], t * w[2] };
}

Vector3 StereoUnproject(ProjectedPoint p)
{
    // With q = |p|^2 / 4, the point lies at w1 = (q - 1) / (q + 1) and its
    // other two components are p scaled by (1 - w1) / 2 = 1 / (q + 1).
    const double q = (p.x * p.x + p.y * p.y) / 4.0;
    return { (q - 1.0) / (q + 1.0), p.x / (q + 1.0), p.y / (q + 1.0) };
}

double AngleBetween(const Vector3& a, const Vector3& b)
{
    const double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    const double lengthB = std::sqrt(b[0] * b[0] + b[1] * b[1] + b[2] * b[2]);
    const double lengthA = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
    const double c = dot / (lengthA * lengthB);
    // Rounding can carry the cosine of equal or opposite directions just
    // past +-1, where the arccos form below has no real value.
    if (c >= 1.0)
        return 0.0;
    if (c <= -1.0)
        return 180.0;
    return (std::atan(-c / std::sqrt(1.0 - c * c)) + 2.0 * std::atan(1.0)) * 180.0 / Pi;
}

Vector3 UnitVector(const Vector3& v)
{
    const double n = std::sqrt((v[0] * v[0] + v[1] * v[1]) + v[2] * v[2]);
    return { v[0] / n, v[1] / n, v[2] / n };
}
