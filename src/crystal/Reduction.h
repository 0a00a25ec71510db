#pragma once

#include <array>
#include <cstdint>

// Absolute values with their fractions cut, largest first: the index
// brought into the standard triangle (100)-(110)-(111). The caller makes
// sure every value fits a 16-bit index.
std::array<int16_t, 3> SortCubicIndex(double a, double b, double c);

// The symmetry-equivalent hexagonal plane in the 30-degree sector: h and k
// cut toward zero, i = -(h + k), then the middle and the smallest of |h|,
// |k| and |i|, and |l| cut. Still in doubles, so that its range can be tested.
std::array<double, 3> HexSectorIndex(double h, double k, double l);
// The same as 16-bit indices; the caller makes sure they fit.
std::array<int16_t, 3> SortHexIndex(double h, double k, double l);
