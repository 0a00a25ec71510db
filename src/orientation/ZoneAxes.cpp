#include "orientation/ZoneAxes.h"

#include "crystal/LowIndex.h"
#include "geometry/Geometry.h"

#include <algorithm>
#include <cmath>

namespace {

// The first non-zero index positive: one of the two ends of each zone.
bool firstEnd(const Index3& index)
{
    for (int16_t x : index)
        if (x != 0)
            return x > 0;
    return false;
}

} // namespace

std::vector<ZoneAxis> NearestZoneAxes(const Lattice& lattice, const CrystalOrientation& zeroTilt,
    const HolderTilt& now, const TiltLimits& limits, int limit)
{
    std::vector<ZoneAxis> out;
    const std::optional<CrystalOrientation> tilted = Tilted(zeroTilt, now);
    if (!tilted)
        return out;
    for (Index3 index : LowIndices(lattice.system(), IndexKind::Direction, limit)) {
        if (!firstEnd(index))
            continue;
        const Vector3 crystal = *UnitVectorOf(lattice, IndexKind::Direction, index);
        Vector3 drawn = tilted->toSample(crystal);
        Vector3 atZeroTilt = zeroTilt.toSample(crystal);
        if (drawn[2] < 0.0) {
            for (int16_t& x : index)
                x = int16_t(-x);
            drawn = Scaled(drawn, -1.0);
            atZeroTilt = Scaled(atZeroTilt, -1.0);
        }
        ZoneAxis zone { index, AngleBetween(drawn, { 0, 0, 1 }), *TiltsToCentre(atZeroTilt), true };
        zone.withinReach = WithinReach(zone.tilt, limits);
        out.push_back(zone);
    }
    // LowIndices gave them lowest first; a stable sort on the angle, to a
    // billionth of a degree so that rounding splits no tie, keeps that order
    // among equals.
    std::stable_sort(out.begin(), out.end(), [](const ZoneAxis& a, const ZoneAxis& b) {
        return std::llround(a.angle * 1e9) < std::llround(b.angle * 1e9);
    });
    return out;
}
