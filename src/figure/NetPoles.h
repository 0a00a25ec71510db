#pragma once

#include "crystal/Notation.h"
#include "crystal/Symmetry.h"
#include "geometry/Geometry.h"
#include "projection/Projector.h"

#include <vector>

// The generated net's index limits.
inline constexpr int MinNetLimit = 1;
inline constexpr int MaxNetLimit = 10;

// A plane of the generated net: its indices as seen, those of the end of
// its normal on the visible hemisphere, and where that pole lies.
struct NetPole
{
    Index3 index;
    TwipsPoint at;
};

// Every plane once, common factors removed, whose indices as written are
// at most limit (1 to 10) in size: for hexagonal and trigonal crystals all
// four of (h k i l), so that the set keeps the crystal's six-fold symmetry.
// A plane whose normal lies across the line of sight has a pole at both
// ends, on the primitive. Lowest indices first: by the largest index, then
// the sum of squares. With a space group, only the reflections it allows:
// each plane at its lowest allowed order n (h k l), indexed so, whose
// indices are then those at most limit.
std::vector<NetPole> NetPoles(
    const Projector& projector, int limit, const SpaceGroup* allowedBy = nullptr);
