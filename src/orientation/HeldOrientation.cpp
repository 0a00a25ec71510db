#include "orientation/HeldOrientation.h"

#include <algorithm>
#include <cmath>

CrystalOrientation HeldOrientation::drawn() const
{
    if (tilt == HolderTilt {})
        return zeroTilt;
    // A finite tilt always turns a proper rotation into one.
    return Tilted(zeroTilt, tilt).value_or(zeroTilt);
}

HeldOrientation HeldOrientation::withDrawn(const CrystalOrientation& g) const
{
    HeldOrientation turned = *this;
    turned.zeroTilt = tilt == HolderTilt {} ? g : ZeroTilt(g, tilt).value_or(zeroTilt);
    return turned;
}

HeldOrientation HeldOrientation::tiltedTo(const HolderTilt& to) const
{
    HeldOrientation tilted = *this;
    tilted.tilt = to;
    return tilted;
}

std::optional<HolderTilt> HeldOrientation::tiltsTo(const Vector3& v) const
{
    // Scaled to a largest component of 1 before it is turned: a denormal v
    // keeps too few digits to be turned exactly.
    const double largest = std::max({ std::fabs(v[0]), std::fabs(v[1]), std::fabs(v[2]) });
    if (!(largest > 0.0) || !std::isfinite(largest))
        return std::nullopt;
    return TiltsToCentre(zeroTilt.toSample({ v[0] / largest, v[1] / largest, v[2] / largest }));
}
