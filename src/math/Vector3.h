#pragma once

#include <array>
#include <cmath>

// A direction or a point in three dimensions.
using Vector3 = std::array<double, 3>;

inline double Dot(const Vector3& a, const Vector3& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

inline Vector3 Cross(const Vector3& a, const Vector3& b)
{
    return { a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0] };
}

inline double Norm(const Vector3& v)
{
    return std::sqrt(Dot(v, v));
}

inline Vector3 Scaled(const Vector3& v, double s)
{
    return { v[0] * s, v[1] * s, v[2] * s };
}

inline Vector3 Sum(const Vector3& a, const Vector3& b)
{
    return { a[0] + b[0], a[1] + b[1], a[2] + b[2] };
}

inline Vector3 Difference(const Vector3& a, const Vector3& b)
{
    return { a[0] - b[0], a[1] - b[1], a[2] - b[2] };
}

// v scaled to length 1; the zero vector stays zero.
inline Vector3 Normalised(const Vector3& v)
{
    const double n = Norm(v);
    return n > 0.0 ? Scaled(v, 1.0 / n) : v;
}
