#pragma once

#include "crystal/Notation.h"
#include "orientation/HolderTilt.h"

#include <vector>

// A zone axis near the beam (the sample Z axis, the centre).
struct ZoneAxis
{
    // The direction as three indices with no common divisor, the end that
    // faces the viewer (either end, the same each time, when it lies across
    // the beam).
    Index3 index {};
    // Its angle to the beam now, 0 to 90 degrees.
    double angle = 0.0;
    // The holder's tilts that bring it to the centre, from zero tilt.
    HolderTilt tilt;
    bool withinReach = true;
};

// Every zone axis with indices up to limit (the four-index form bounding
// hexagonal and trigonal ones), each once, for a crystal at zeroTilt
// tilted to now: the nearest the beam first, equal angles lowest indices
// first.
std::vector<ZoneAxis> NearestZoneAxes(const Lattice& lattice, const CrystalOrientation& zeroTilt,
    const HolderTilt& now, const TiltLimits& limits, int limit = 3);
