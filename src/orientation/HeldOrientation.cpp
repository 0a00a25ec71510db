#include "orientation/HeldOrientation.h"

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
    return TiltsToCentre(zeroTilt.toSample(v));
}
