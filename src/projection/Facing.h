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
