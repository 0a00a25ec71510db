#include "math/Matrix3.h"

Matrix3 Matrix3::FromColumns(const Vector3& a, const Vector3& b, const Vector3& c)
{
    return { { { { a[0], b[0], c[0] }, { a[1], b[1], c[1] }, { a[2], b[2], c[2] } } } };
}

Matrix3 Matrix3::operator*(const Matrix3& m) const
{
    Matrix3 out;
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            out.rows[i][j] = Dot(rows[i], m.column(int(j)));
    return out;
}

Matrix3 Matrix3::transposed() const
{
    return FromColumns(rows[0], rows[1], rows[2]);
}

double Matrix3::determinant() const
{
    return Dot(rows[0], Cross(rows[1], rows[2]));
}

std::optional<Matrix3> Matrix3::inverse() const
{
    const double det = determinant();
    const double scale = Norm(rows[0]) * Norm(rows[1]) * Norm(rows[2]);
    if (!std::isfinite(det) || !(std::fabs(det) > 1e-12 * scale))
        return std::nullopt;
    // The rows of the inverse's transpose are the cross products of the rows.
    const Matrix3 adjugateT { { Cross(rows[1], rows[2]), Cross(rows[2], rows[0]),
        Cross(rows[0], rows[1]) } };
    Matrix3 out = adjugateT.transposed();
    for (Vector3& row : out.rows)
        row = Scaled(row, 1.0 / det);
    return out;
}
