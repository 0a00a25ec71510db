#pragma once

#include "crystal/LowIndex.h"
#include "orientation/CrystalOrientation.h"

#include <optional>
#include <span>
#include <vector>

// Point-group symmetry enters as the crystal's proper rotations, each a
// matrix acting on the crystal's Cartesian coordinates; an empty list is
// the identity alone.
using ProperRotations = std::span<const Matrix3>;

// The variants T S of a relationship T, for each proper rotation S of the
// parent, each child orientation once: two that differ only by a proper
// rotation of the child (T S_i = C T S_j) are one. The first is T itself.
std::vector<Matrix3> Variants(const Matrix3& turn, ProperRotations parent, ProperRotations child);

// The smallest turn that takes one crystal onto another, over both
// crystals' symmetry.
struct Misorientation
{
    double degrees = 0.0;
    // Unit; the same in both crystals' Cartesian frames (the axis the turn
    // keeps), so it reads in either lattice.
    Vector3 axis { 0, 0, 1 };
};

// For delta taking crystal A's Cartesian coordinates to crystal B's: the
// smallest angle of C_B delta C_A over the rotations of both; among the
// equivalent axes the one with the most components not negative, then the
// largest z, y, x, so that a table reads [1 1 1] rather than [-1 1 -1].
Misorientation MisorientationOf(const Matrix3& delta, ProperRotations a, ProperRotations b);
// Between two orientations: delta = g_B g_A^T.
Misorientation MisorientationBetween(const CrystalOrientation& a, ProperRotations symmetryA,
    const CrystalOrientation& b, ProperRotations symmetryB);

// One line of the table of variants.
struct VariantRow
{
    int number = 1;
    Matrix3 turn;
    // The misorientation to variant 1, its axis in the child's lattice as
    // the nearest direction with indices up to axisLimit (none for variant
    // 1 and any other that is no turn from it).
    Misorientation toFirst;
    std::optional<LowIndexForm> axis;
};

inline constexpr int VariantAxisLimit = 6;

std::vector<VariantRow> VariantTable(const Matrix3& turn, ProperRotations parent,
    ProperRotations child, const Lattice& childLattice, int axisLimit = VariantAxisLimit);
