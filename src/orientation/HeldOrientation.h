#pragma once

#include "orientation/HolderTilt.h"

// A crystal in a double-tilt holder: its orientation at zero tilt g0, where
// the holder is tilted and how far it reaches. The crystal drawn is
// g = g0 T(alpha, beta)^T. g0 alone is the value a list of grains shares;
// the tilt and its limits are the holder's.
struct HeldOrientation
{
    CrystalOrientation zeroTilt;
    HolderTilt tilt;
    TiltLimits limits;
    bool operator==(const HeldOrientation&) const = default;

    // The crystal as drawn at the tilt; g0 itself at zero tilt, unrounded.
    CrystalOrientation drawn() const;
    // The crystal drawn as g at the same tilt: g0 = g T. Turning the
    // crystal in the picture turns it in the holder.
    HeldOrientation withDrawn(const CrystalOrientation& g) const;
    // The holder at another tilt, the crystal in it as it was. Whether the
    // holder reaches it is the caller's to check (CheckedTilt).
    HeldOrientation tiltedTo(const HolderTilt& to) const;
    // The tilt that brings what lies at the crystal's Cartesian vector v to
    // the centre, from zero tilt; none for a zero or non-finite v.
    std::optional<HolderTilt> tiltsTo(const Vector3& v) const;
};
