#pragma once

#include "poles/Entry.h"
#include "projection/Projector.h"

#include <array>

// Where an entry is drawn: a plane at its pole, a direction at its own
// azimuth; away is set for a direction pointing away from the viewer.
struct Placement
{
    TwipsPoint at;
    bool away = false;
};
Placement Place(const Projector& projector, const Entry& entry);

// The entry's vector in the lattice's Cartesian frame: a plane's normal or
// a direction, as stored (not turned toward the viewer).
Vector3 EntryVector(const Lattice& lattice, const Entry& entry);
// The angle in degrees between two vectors of these kinds, read as the
// option says.
double EntryAngle(
    IndexKind a, const Vector3& va, IndexKind b, const Vector3& vb, PlaneAngles planeAngles);

// The angles in degrees from the entry to the lattice's three reference
// planes. They do not depend on the orientation.
std::array<double, 3> AnglesOf(
    const Lattice& lattice, const Entry& entry, PlaneAngles planeAngles = PlaneAngles::Full);
