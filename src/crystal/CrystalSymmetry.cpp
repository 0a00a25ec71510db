#include "crystal/CrystalSymmetry.h"

#include <cmath>

namespace {

bool Orthonormal(const Matrix3& m)
{
    const Matrix3 product = m * m.transposed();
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            if (!(std::fabs(product.rows[i][j] - (i == j ? 1.0 : 0.0)) < 1e-9))
                return false;
    return true;
}

} // namespace

std::variant<CrystalSymmetry, QString> CrystalSymmetry::Make(
    const Lattice& lattice, const SpaceGroup& group)
{
    if (const QString why = group.misfit(lattice.system()); !why.isEmpty())
        return why;
    CrystalSymmetry symmetry(lattice, group);
    const Matrix3& a = lattice.directBasis();
    const Matrix3 aInverse = lattice.reciprocalBasis().transposed();
    for (const IntMatrix3& r : group.pointOperations()) {
        Matrix3 direct;
        for (std::size_t i = 0; i < 3; ++i)
            direct.rows[i] = { double(r[i][0]), double(r[i][1]), double(r[i][2]) };
        const Matrix3 cartesian = a * direct * aInverse;
        // A lattice of the group's system always passes; this guards the
        // settings the program does not use.
        if (!Orthonormal(cartesian))
            return SymmetryMessages::Misfit.arg(
                group.name(), SystemName(group.system()), SystemName(lattice.system()));
        symmetry.m_operations.push_back(cartesian);
        if (cartesian.determinant() > 0.0)
            symmetry.m_rotations.push_back(
                Rotation::FromRows(cartesian.rows[0], cartesian.rows[1], cartesian.rows[2]));
    }
    return symmetry;
}
