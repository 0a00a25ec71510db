#pragma once

#include "projection/View.h"

#include <QString>
#include <variant>

// What the free view shows: a crystal, how it is turned and what its net
// draws. The orientation is kept as a turn so that turning the crystal
// with the pointer loses nothing; centre and up are read off it.
struct FreeViewSettings
{
    LatticeSystem system = LatticeSystem::Cubic;
    LatticeParameters parameters;
    Rotation orientation = *Orientation(Lattice(), { 0, 0, 1 }, { 0, 1, 0 });
    NetOptions net;
    bool operator==(const FreeViewSettings&) const = default;

    // The lattice, or why the parameters make none.
    std::variant<Lattice, QString> lattice() const { return Lattice::Make(system, parameters); }
    // The settings of a crystal looking along centre with up upward, or
    // why they make no view (no lattice, centre (0 0 0), up along centre).
    static std::variant<FreeViewSettings, QString> Make(LatticeSystem system,
        const LatticeParameters& parameters, const Vector3& centre, const Vector3& up,
        const NetOptions& net);
    // The direct-lattice directions at the centre, toward the viewer, and
    // upward, scaled so that their largest index is 1 or, when the
    // direction is a low-index one, as its smallest whole numbers.
    Vector3 centre() const;
    Vector3 up() const;
    // The view; none when the lattice is no lattice.
    std::optional<View> view() const;
};

namespace FreeViewMessages {
inline const QString CentreZero = QStringLiteral("中心の方向 [0 0 0] は表せません");
inline const QString UpAlongCentre = QStringLiteral("上の方向が中心の方向と平行です");
} // namespace FreeViewMessages
