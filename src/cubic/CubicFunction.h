#pragma once

#include "surface/DrawingSurface.h"

#include <QString>
#include <array>
#include <cstdint>

// Absolute values with their fractions cut, largest first: the index
// brought into the standard triangle (100)-(110)-(111). The caller makes
// sure every value fits a 16-bit index.
std::array<int16_t, 3> SortCubicIndex(double a, double b, double c);

// The standard triangle of the cubic view with symmetry.
void DrawCubicSymNet(DrawingSurface& surface, const QString& lineWidth);
// The whole cubic standard projection centred on (100).
void DrawCubicFullNet(DrawingSurface& surface, const QString& lineWidth);
