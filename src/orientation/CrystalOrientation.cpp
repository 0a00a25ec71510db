#include "orientation/CrystalOrientation.h"

#include "crystal/LowIndex.h"

#include <algorithm>
#include <cmath>

CrystalOrientation CrystalOrientation::fromRows(const Matrix3& g)
{
    return CrystalOrientation(Rotation::FromRows(g.rows[0], g.rows[1], g.rows[2]));
}

std::optional<CrystalOrientation> CrystalOrientation::FromEuler(const EulerAngles& e)
{
    if (!IsFinite(e))
        return std::nullopt;
    return fromRows(EulerMatrix(e));
}

std::optional<CrystalOrientation> CrystalOrientation::FromMatrix(const Matrix3& g, double tolerance)
{
    if (!IsProperRotation(g, tolerance))
        return std::nullopt;
    return fromRows(g);
}

CrystalOrientation CrystalOrientation::FromProjector(const Rotation& turn)
{
    // g = R^T P: g's columns X, Y, Z are R's rows 1, 2, 0.
    const Matrix3& r = turn.matrix();
    return fromRows(Matrix3::FromColumns(r.rows[1], r.rows[2], r.rows[0]));
}

std::optional<CrystalOrientation> CrystalOrientation::FromCentreUp(
    const Lattice& lattice, const Vector3& centre, const Vector3& up)
{
    const std::optional<Vector3> z = UnitVectorOf(lattice, IndexKind::Direction, centre);
    const std::optional<Vector3> u = UnitVectorOf(lattice, IndexKind::Direction, up);
    if (!z || !u)
        return std::nullopt;
    const Vector3 across = Difference(*u, Scaled(*z, Dot(*z, *u)));
    if (!(Norm(across) > 1e-8))
        return std::nullopt;
    const Vector3 y = Normalised(across);
    // The sample axes X, Y, Z in crystal coordinates are g's columns.
    return fromRows(Matrix3::FromColumns(Cross(y, *z), y, *z));
}

Rotation CrystalOrientation::projector() const
{
    const Matrix3& g = m_g.matrix();
    return Rotation::FromRows(g.column(2), g.column(0), g.column(1));
}

Vector3 CrystalOrientation::centre(const Lattice& lattice) const
{
    return lattice.directionIndices(m_g.matrix().column(2));
}

Vector3 CrystalOrientation::up(const Lattice& lattice) const
{
    return lattice.directionIndices(m_g.matrix().column(1));
}

CrystalOrientation CrystalOrientation::related(const Matrix3& turn) const
{
    return fromRows(turn * m_g.matrix());
}

std::variant<CrystalOrientation, QString> CheckedEuler(const EulerAngles& e)
{
    if (!IsFinite(e))
        return EulerMessages::NotFinite;
    if (!(e.Phi >= 0.0 && e.Phi <= 180.0))
        return EulerMessages::PhiOutOfRange;
    if (!(std::fabs(e.phi1) <= 360.0 && std::fabs(e.phi2) <= 360.0))
        return EulerMessages::PhiOneTwoOutOfRange;
    return *CrystalOrientation::FromEuler(e);
}
