#pragma once

#include "crystal/Lattice.h"
#include "crystal/Notation.h"

#include <optional>
#include <vector>

// Directions and planes as small whole numbers, the way a crystallographer
// names a turned centre, an up direction or a misorientation axis.

// The unit Cartesian vector of a plane normal or a direction with any
// indices, whole or not: scaled to a largest index of 1 first, so that huge
// or tiny indices neither overflow nor underflow. None for zero or
// non-finite indices.
std::optional<Vector3> UnitVectorOf(const Lattice& lattice, IndexKind kind, const Vector3& indices);
std::optional<Vector3> UnitVectorOf(const Lattice& lattice, IndexKind kind, const Index3& index);

// Every direction (or plane) whose indices, as the system writes them, are
// at most limit (0 to 20) in size: the four-index form bounds hexagonal and
// trigonal ones, so that the set keeps their six-fold symmetry. Each once,
// both senses, as three indices with no common divisor; the lowest first:
// by the largest index written, then the number of non-zero ones, then
// their sum, then [1 0 0] before [0 1 0], [0 0 1] and [-1 0 0].
std::vector<Index3> LowIndices(LatticeSystem system, IndexKind kind, int limit);

// The nearest low-index form to a Cartesian vector and how far it is from
// it, in degrees.
struct LowIndexForm
{
    Index3 index {};
    double deviation = 0.0;
};

// The direction (or plane normal) with indices up to limit nearest to the
// Cartesian vector v; the lower indices where two are as near. None for a
// zero or non-finite v.
std::optional<LowIndexForm> NearestLowIndex(
    const Lattice& lattice, IndexKind kind, const Vector3& v, int limit);

// The up direction when none is given for a centre [u v w]: the lowest-index
// lattice direction [u v w] exactly at right angles to the centre by the
// metric, with |u|, |v|, |w| up to 6 on the three axes in every system
// (lowest by the largest index, then the number of non-zero ones, then
// their sum; among equals the one nearest the preferred vertical below). Only when no lattice
// direction is perpendicular is it the preferred vertical itself: c (or else b, or a, the first not
// along the centre) made perpendicular to the centre.
struct UpDirection
{
    Vector3 indices { 0, 0, 1 };
    // Whether indices are whole numbers of a lattice direction.
    bool latticeDirection = false;
};
std::optional<UpDirection> LowIndexUp(const Lattice& lattice, const Vector3& centre);
