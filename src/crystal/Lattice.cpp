#include "crystal/Lattice.h"

#include "geometry/Geometry.h"

#include <cmath>

const std::array<QString, 6> ParameterSymbols { QStringLiteral("a"), QStringLiteral("b"),
    QStringLiteral("c"), QStringLiteral("α"), QStringLiteral("β"), QStringLiteral("γ") };

QString SystemName(LatticeSystem system)
{
    switch (system) {
    case LatticeSystem::Cubic:
        return QStringLiteral("立方晶");
    case LatticeSystem::Tetragonal:
        return QStringLiteral("正方晶");
    case LatticeSystem::Orthorhombic:
        return QStringLiteral("斜方晶");
    case LatticeSystem::Hexagonal:
        return QStringLiteral("六方晶");
    case LatticeSystem::Trigonal:
        return QStringLiteral("三方晶");
    case LatticeSystem::Monoclinic:
        return QStringLiteral("単斜晶");
    case LatticeSystem::Triclinic:
        break;
    }
    return QStringLiteral("三斜晶");
}

std::array<bool, 6> FreeParameters(LatticeSystem system)
{
    switch (system) {
    case LatticeSystem::Cubic:
        return { true, false, false, false, false, false };
    case LatticeSystem::Tetragonal:
    case LatticeSystem::Hexagonal:
    case LatticeSystem::Trigonal:
        return { true, false, true, false, false, false };
    case LatticeSystem::Orthorhombic:
        return { true, true, true, false, false, false };
    case LatticeSystem::Monoclinic:
        return { true, true, true, false, true, false };
    case LatticeSystem::Triclinic:
        break;
    }
    return { true, true, true, true, true, true };
}

LatticeParameters Constrained(LatticeSystem system, LatticeParameters p)
{
    switch (system) {
    case LatticeSystem::Cubic:
        return { p.a, p.a, p.a, 90, 90, 90 };
    case LatticeSystem::Tetragonal:
        return { p.a, p.a, p.c, 90, 90, 90 };
    case LatticeSystem::Hexagonal:
    case LatticeSystem::Trigonal:
        return { p.a, p.a, p.c, 90, 90, 120 };
    case LatticeSystem::Orthorhombic:
        return { p.a, p.b, p.c, 90, 90, 90 };
    case LatticeSystem::Monoclinic:
        return { p.a, p.b, p.c, 90, p.beta, 90 };
    case LatticeSystem::Triclinic:
        break;
    }
    return p;
}

bool UsesFourIndices(LatticeSystem system)
{
    return system == LatticeSystem::Hexagonal || system == LatticeSystem::Trigonal;
}

namespace {

// Right angles and the hexagonal 120 degrees exactly, so that cubic and
// hexagonal cells carry no rounding from cos(90 degrees).
double CosDegrees(double degrees)
{
    if (degrees == 90.0)
        return 0.0;
    if (degrees == 120.0)
        return -0.5;
    if (degrees == 60.0)
        return 0.5;
    return std::cos(degrees * Pi / 180.0);
}

double SinDegrees(double degrees)
{
    if (degrees == 90.0)
        return 1.0;
    if (degrees == 120.0 || degrees == 60.0)
        return std::sqrt(3.0) / 2.0;
    return std::sin(degrees * Pi / 180.0);
}

} // namespace

std::variant<Lattice, QString> Lattice::Make(LatticeSystem system, const LatticeParameters& given)
{
    const LatticeParameters p = Constrained(system, given);
    for (double length : { p.a, p.b, p.c })
        // No crystal comes near these bounds; a denormal length would make
        // the reciprocal basis infinite.
        if (!(length >= 1e-6 && length <= 1e6))
            return LatticeMessages::LengthNotPositive;
    for (double angle : { p.alpha, p.beta, p.gamma })
        if (!std::isfinite(angle) || !(angle > 0.0) || !(angle < 180.0))
            return LatticeMessages::AngleOutOfRange;

    const double ca = CosDegrees(p.alpha), cb = CosDegrees(p.beta), cg = CosDegrees(p.gamma);
    const double sg = SinDegrees(p.gamma);
    // The squared volume of the unit cell over a^2 b^2 c^2; the three angles
    // close a cell only when it is positive.
    const double volume2 = 1.0 - ca * ca - cb * cb - cg * cg + 2.0 * ca * cb * cg;
    if (!(volume2 > 1e-9))
        return LatticeMessages::NoCell;

    Lattice lattice;
    lattice.m_system = system;
    lattice.m_parameters = p;
    const Vector3 a { p.a, 0.0, 0.0 };
    const Vector3 b { p.b * cg, p.b * sg, 0.0 };
    const double cx = p.c * cb;
    const double cy = p.c * (ca - cb * cg) / sg;
    const Vector3 c { cx, cy, p.c * std::sqrt(volume2) / sg };
    lattice.m_direct = Matrix3::FromColumns(a, b, c);
    const std::optional<Matrix3> inverse = lattice.m_direct.inverse();
    if (!inverse)
        return LatticeMessages::NoCell;
    lattice.m_directInverse = *inverse;
    // The reciprocal basis vectors are the rows of the inverse of the direct
    // basis: a* . a = 1, a* . b = 0, and so on.
    lattice.m_reciprocal = inverse->transposed();
    return lattice;
}

Lattice Lattice::UnitCubic()
{
    return std::get<Lattice>(Make(LatticeSystem::Cubic, { 1, 1, 1, 90, 90, 90 }));
}

Lattice Lattice::IdealHexagonal()
{
    return std::get<Lattice>(
        Make(LatticeSystem::Hexagonal, { 1, 1, std::sqrt(8.0 / 3.0), 90, 90, 120 }));
}
