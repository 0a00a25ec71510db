#pragma once

#include "math/Vector3.h"

#include <optional>

// A 3 x 3 matrix stored by rows.
struct Matrix3
{
    std::array<Vector3, 3> rows { { { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 } } };

    static Matrix3 FromColumns(const Vector3& a, const Vector3& b, const Vector3& c);
    Vector3 column(int j) const
    {
        return { rows[0][std::size_t(j)], rows[1][std::size_t(j)], rows[2][std::size_t(j)] };
    }
    Vector3 operator*(const Vector3& v) const
    {
        return { Dot(rows[0], v), Dot(rows[1], v), Dot(rows[2], v) };
    }
    Matrix3 operator*(const Matrix3& m) const;
    Matrix3 transposed() const;
    double determinant() const;
    // None when the matrix is singular (or nearly so, relative to its size).
    std::optional<Matrix3> inverse() const;
    bool operator==(const Matrix3&) const = default;
};
