#pragma once

#include "crystal/Lattice.h"
#include "math/EulerAngles.h"
#include "math/Rotation.h"

#include <QString>
#include <optional>
#include <variant>

// How a crystal sits in the sample frame. The sample frame is the picture:
// X to the right, Y up, Z toward the viewer (the centre). The crystal frame
// is the lattice's Cartesian one: x along a (a1), z along c* (c on
// hexagonal axes). The orientation g is passive: it takes sample
// coordinates to crystal coordinates, v_crystal = g v_sample, so a crystal
// direction is drawn at g^T v_crystal. Euler (0, 0, 0) puts a to the right
// and c* at the centre; Euler (90, 0, 0) puts a upward.
//
// The projector's turn is the same orientation seen from its view frame
// (component 0 toward the viewer, 1 right, 2 up): R = P g^T, P taking
// (X, Y, Z) to (Z, X, Y).
class CrystalOrientation
{
public:
    // Euler (0, 0, 0).
    CrystalOrientation() = default;

    // None unless all three angles are finite; any finite angles are
    // accepted (the orientation is periodic in each).
    static std::optional<CrystalOrientation> FromEuler(const EulerAngles& e);
    // None unless g is a proper rotation to within tolerance in every entry;
    // what is kept is made orthonormal.
    static std::optional<CrystalOrientation> FromMatrix(const Matrix3& g, double tolerance = 1e-6);
    static CrystalOrientation FromProjector(const Rotation& turn);
    // The crystal looking along the direction centre [u v w] (toward the
    // viewer) with up [u v w] upward (made perpendicular to it); none for a
    // zero or non-finite centre or up, or up within a thousandth of a
    // degree of the centre.
    static std::optional<CrystalOrientation> FromCentreUp(
        const Lattice& lattice, const Vector3& centre, const Vector3& up);

    const Matrix3& matrix() const { return m_g.matrix(); }
    // Normalised: phi1, phi2 in [0, 360), Phi in [0, 180], phi2 = 0 at the
    // gimbal lock.
    EulerAngles euler() const { return EulerFromMatrix(m_g.matrix()); }
    Rotation projector() const;

    Vector3 toSample(const Vector3& crystal) const { return m_g.inverse() * crystal; }
    Vector3 toCrystal(const Vector3& sample) const { return m_g * sample; }
    // The direct-lattice indices (not whole numbers in general) of the
    // directions at the centre and upward, each of unit Cartesian length.
    Vector3 centre(const Lattice& lattice) const;
    Vector3 up(const Lattice& lattice) const;

    // The crystal whose coordinates are turn times this one's: a child of
    // this crystal by an orientation relationship, g_child = T g.
    CrystalOrientation related(const Matrix3& turn) const;

    bool operator==(const CrystalOrientation&) const = default;

private:
    explicit CrystalOrientation(const Rotation& g)
        : m_g(g)
    {
    }
    static CrystalOrientation fromRows(const Matrix3& g);

    Rotation m_g;
};

// A vector of the projector's view frame (toward the viewer, right, up) in
// sample coordinates (right, up, toward the viewer): P^T v.
inline Vector3 SampleOfView(const Vector3& view)
{
    return { view[1], view[2], view[0] };
}

// Euler angles typed or read from a file: finite, Phi from 0 to 180
// degrees, phi1 and phi2 from -360 to 360 (both [0, 360) and (-180, 180]
// are in use), else the reason.
std::variant<CrystalOrientation, QString> CheckedEuler(const EulerAngles& e);

namespace EulerMessages {
inline const QString NotFinite = QStringLiteral("オイラー角 φ₁, Φ, φ₂ は有限の数にしてください");
inline const QString PhiOutOfRange
    = QStringLiteral("オイラー角 Φ は 0° から 180° までにしてください");
inline const QString PhiOneTwoOutOfRange
    = QStringLiteral("オイラー角 φ₁, φ₂ は −360° から 360° までにしてください");
} // namespace EulerMessages
