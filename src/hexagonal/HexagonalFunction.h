#pragma once

#include "geometry/Geometry.h"
#include "surface/DrawingSurface.h"

#include <QString>
#include <array>
#include <cstdint>

// The Cartesian normal of the plane (h k l) with c/a = sqrt(8/3): component 0
// along the c axis, component 2 along a2.
Vector3 HexToCartesian(double h, double k, double l);

// The larger and the smaller of |h| and |k|, then |l|, fractions cut: the
// index brought into the 30-degree sector. The caller makes sure every value
// fits a 16-bit index.
std::array<int16_t, 3> SortHexIndex(double h, double k, double l);

// The 30-degree sector of the hexagonal view with symmetry.
void DrawHexSymNet(DrawingSurface& surface, const QString& lineWidth);
// The whole hexagonal standard projection centred on (0001).
void DrawHexFullNet(DrawingSurface& surface, const QString& lineWidth);
