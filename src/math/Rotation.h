#pragma once

#include "math/Matrix3.h"

// A proper rotation, kept as an orthonormal matrix with determinant +1.
class Rotation
{
public:
    Rotation() = default;

    // The turn by angle radians about axis (right-handed); the identity for a
    // zero axis.
    static Rotation AboutAxis(const Vector3& axis, double angle);
    // The smallest turn that takes the direction of from onto that of to.
    static Rotation Between(const Vector3& from, const Vector3& to);
    // The rotation whose rows are the three given orthonormal vectors: it
    // takes first to (1, 0, 0), second to (0, 1, 0), third to (0, 0, 1).
    static Rotation FromRows(const Vector3& first, const Vector3& second, const Vector3& third);

    Vector3 operator*(const Vector3& v) const { return m_matrix * v; }
    Rotation operator*(const Rotation& r) const;
    Rotation inverse() const;
    const Matrix3& matrix() const { return m_matrix; }
    bool operator==(const Rotation&) const = default;

private:
    explicit Rotation(const Matrix3& m)
        : m_matrix(m)
    {
    }
    // Removes the drift that many composed turns leave in the matrix.
    static Matrix3 orthonormalised(const Matrix3& m);

    Matrix3 m_matrix;
};
