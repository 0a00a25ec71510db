#pragma once

#include "geometry/ViewTransform.h"

#include <array>
#include <cstdint>
#include <optional>

// The four projections of the menu: cubic or hexagonal, the magnified
// standard region (with symmetry) or the whole primitive circle.
enum class View { CubicSym, CubicFull, HexSym, HexFull };

// The view that CrystalSystem (1 cubic, 2 hexagonal) and SymmetryMode (1 with
// symmetry, any other value the full circle) select; none for another system.
std::optional<View> ViewOf(int16_t crystalSystem, int16_t symmetryMode);

bool IsCubic(View view);
bool IsSymmetric(View view);

// The view's frame and its inverse.
TwipsPoint ToScreen(View view, ProjectedPoint p);
ProjectedPoint FromScreen(View view, TwipsPoint t);

// The angles in degrees from a (its first component made non-negative) to
// the view's three reference directions, in the order of the angle columns:
// [100], [110], [111] for cubic; c, a1 and the direction 30 degrees from a1
// for hexagonal.
std::array<double, 3> AnglesToReferences(View view, const Vector3& a);
