#pragma once

#include "crystal/Notation.h"
#include "crystal/Symmetry.h"

#include <vector>

// The families of symmetry-equivalent planes {h k l} and directions
// <u v w> under a space group's point group, in three-index form. Members
// come in descending order of the first index, then the second, then the
// third, so that a family always lists the same way.

// Every plane equivalent to (h k l), once. A plane and its opposite are one
// plane: it is written with its first non-zero index positive. Empty for
// (0 0 0).
std::vector<Indices> PlaneFamily(const SpaceGroup& group, const Index3& hkl);
// Every direction equivalent to [u v w], once; [u v w] and its opposite
// are two directions, both members when an operation of the point group
// takes one to the other (always in a centrosymmetric one). Empty for
// [0 0 0].
std::vector<Indices> DirectionFamily(const SpaceGroup& group, const Index3& uvw);

// The plane (h k l) as an operation R on direct-lattice coordinates moves
// it: R^-T (h k l), so that the plane keeps containing the directions it
// contained.
Indices MovedPlane(const IntMatrix3& r, const Indices& hkl);
Indices MovedDirection(const IntMatrix3& r, const Indices& uvw);
// Of a plane (or direction) and its opposite, the one whose first non-zero
// index is positive.
Indices FirstPositive(Indices hkl);
