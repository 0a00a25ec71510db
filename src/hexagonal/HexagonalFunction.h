#pragma once

#include "geometry/Geometry.h"
#include "surface/DrawingSurface.h"

#include <QString>
#include <array>
#include <cstdint>

// The Cartesian normal of the plane (h k l) with c/a = sqrt(8/3): component 0
// along the c axis, component 2 along a2.
Vector3 HexToCartesian(double h, double k, double l);

// The symmetry-equivalent plane in the 30-degree sector: h and k cut toward
// zero, i = -(h + k), then the middle and the smallest of |h|, |k| and |i|,
// and |l| cut. Still in doubles, so that its range can be tested.
std::array<double, 3> HexSectorIndex(double h, double k, double l);
// The same as 16-bit indices; the caller makes sure they fit.
std::array<int16_t, 3> SortHexIndex(double h, double k, double l);

// The 30-degree sector of the hexagonal view with symmetry.
void DrawHexSymNet(DrawingSurface& surface, const QString& lineWidth);
// The whole hexagonal standard projection centred on (0001).
void DrawHexFullNet(DrawingSurface& surface, const QString& lineWidth);
