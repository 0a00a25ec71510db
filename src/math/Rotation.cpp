#include "math/Rotation.h"

Rotation Rotation::AboutAxis(const Vector3& axis, double angle)
{
    const double n = Norm(axis);
    if (!(n > 0.0) || !std::isfinite(angle))
        return {};
    const Vector3 k = Scaled(axis, 1.0 / n);
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double t = 1.0 - c;
    // Rodrigues' formula.
    return Rotation(Matrix3 {
        { { { t * k[0] * k[0] + c, t * k[0] * k[1] - s * k[2], t * k[0] * k[2] + s * k[1] },
            { t * k[0] * k[1] + s * k[2], t * k[1] * k[1] + c, t * k[1] * k[2] - s * k[0] },
            { t * k[0] * k[2] - s * k[1], t * k[1] * k[2] + s * k[0], t * k[2] * k[2] + c } } } });
}

Rotation Rotation::Between(const Vector3& from, const Vector3& to)
{
    const Vector3 a = Normalised(from);
    const Vector3 b = Normalised(to);
    const Vector3 axis = Cross(a, b);
    const double sine = Norm(axis);
    const double cosine = Dot(a, b);
    if (sine > 1e-15)
        return AboutAxis(axis, std::atan2(sine, cosine));
    if (cosine > 0.0)
        return {};
    // Opposite: any axis at right angles to a will do.
    const Vector3 other = std::fabs(a[0]) < 0.9 ? Vector3 { 1, 0, 0 } : Vector3 { 0, 1, 0 };
    return AboutAxis(Cross(a, other), std::acos(-1.0));
}

Rotation Rotation::FromRows(const Vector3& first, const Vector3& second, const Vector3& third)
{
    return Rotation(orthonormalised(Matrix3 { { first, second, third } }));
}

Rotation Rotation::operator*(const Rotation& r) const
{
    return Rotation(orthonormalised(m_matrix * r.m_matrix));
}

Rotation Rotation::inverse() const
{
    return Rotation(m_matrix.transposed());
}

Matrix3 Rotation::orthonormalised(const Matrix3& m)
{
    // Gram-Schmidt on the first two rows; the third completes a right-handed
    // frame.
    const Vector3 x = Normalised(m.rows[0]);
    const Vector3 y = Normalised(Difference(m.rows[1], Scaled(x, Dot(x, m.rows[1]))));
    return Matrix3 { { x, y, Cross(x, y) } };
}
