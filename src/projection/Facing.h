#pragma once

#include "crystal/Lattice.h"
#include "math/Rotation.h"

#include <optional>

// Turning a crystal so that one of its directions faces the viewer.

// The turn that puts the direct-lattice direction centre at the middle of
// the projection, toward the viewer, and up (made perpendicular to it)
// upward; none when centre is (0 0 0) or up is parallel to it.
std::optional<Rotation> Orientation(
    const Lattice& lattice, const Vector3& centre, const Vector3& up);
// A low-index direction perpendicular to centre to hold upward: the first
// of [001], [010], [100] that is not parallel to centre, made perpendicular
// to it, and where a direction with indices up to 6 lies exactly there, that one.
Vector3 DefaultUp(const Lattice& lattice, const Vector3& centre);
