#pragma once

#include "math/Matrix3.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <variant>

// The seven crystal systems; trigonal crystals on hexagonal axes, monoclinic
// ones with the unique axis b.
enum class LatticeSystem : int8_t {
    Cubic,
    Tetragonal,
    Orthorhombic,
    Hexagonal,
    Trigonal,
    Monoclinic,
    Triclinic
};

// Lengths in angstrom, angles in degrees.
struct LatticeParameters
{
    double a = 1.0;
    double b = 1.0;
    double c = 1.0;
    double alpha = 90.0;
    double beta = 90.0;
    double gamma = 90.0;
    bool operator==(const LatticeParameters&) const = default;

    // a, b, c, alpha, beta, gamma, in that order, as every list of them is.
    std::array<double, 6> values() const { return { a, b, c, alpha, beta, gamma }; }
    static LatticeParameters FromValues(const std::array<double, 6>& v)
    {
        return { v[0], v[1], v[2], v[3], v[4], v[5] };
    }
};

// The parameters' symbols as the window writes them, in that order: a, b,
// c, α, β, γ.
extern const std::array<QString, 6> ParameterSymbols;

// The system's name as the window writes it: 立方晶, 正方晶, 斜方晶, 六方晶,
// 三方晶, 単斜晶, 三斜晶.
QString SystemName(LatticeSystem system);

// Which of a, b, c, alpha, beta, gamma a system leaves free.
std::array<bool, 6> FreeParameters(LatticeSystem system);
// The parameters with those the system fixes set as it fixes them.
LatticeParameters Constrained(LatticeSystem system, LatticeParameters p);
// Whether the system writes indices in the four-index forms (h k i l), [u v t w].
bool UsesFourIndices(LatticeSystem system);

// A crystal lattice in a Cartesian frame: a along x, b in the xy plane, c
// completing a right-handed cell. Plane normals are reciprocal-lattice
// vectors and directions direct-lattice vectors, both in that frame.
class Lattice
{
public:
    // The cubic lattice with a = 1, whose bases are the identity.
    Lattice() = default;
    // The lattice, or the reason in words why the parameters make none.
    static std::variant<Lattice, QString> Make(LatticeSystem system, const LatticeParameters& p);
    // The cubic lattice with a = 1, and the hexagonal one with a = 1 and the
    // ideal axial ratio c/a = sqrt(8/3).
    static Lattice UnitCubic();
    static Lattice IdealHexagonal();

    LatticeSystem system() const { return m_system; }
    const LatticeParameters& parameters() const { return m_parameters; }
    // The normal of the plane (h k l), not normalised.
    Vector3 planeNormal(const Vector3& hkl) const { return m_reciprocal * hkl; }
    // The direction [u v w], not normalised.
    Vector3 direction(const Vector3& uvw) const { return m_direct * uvw; }
    // Columns a, b, c and a*, b*, c*.
    const Matrix3& directBasis() const { return m_direct; }
    const Matrix3& reciprocalBasis() const { return m_reciprocal; }
    // The direct-lattice indices of a Cartesian vector.
    Vector3 directionIndices(const Vector3& cartesian) const { return m_directInverse * cartesian; }
    bool operator==(const Lattice&) const = default;

private:
    LatticeSystem m_system = LatticeSystem::Cubic;
    LatticeParameters m_parameters;
    Matrix3 m_direct; // columns a, b, c
    Matrix3 m_reciprocal; // columns a*, b*, c*
    Matrix3 m_directInverse;
};

namespace LatticeMessages {
inline const QString LengthNotPositive
    = QStringLiteral("格子定数 a, b, c は 0.000001 Å から 1000000 Å までの数にしてください");
inline const QString AngleOutOfRange
    = QStringLiteral("軸角 α, β, γ は 0° と 180° の間にしてください");
inline const QString NoCell = QStringLiteral("この軸角では単位胞ができません");
} // namespace LatticeMessages
