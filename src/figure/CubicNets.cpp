#include "figure/DocumentedNets.h"

#include "figure/NetLabels.h"
#include "geometry/Geometry.h"

#include <cmath>

namespace {

// The reduced indices of the triangle are never negative, so no bars here.
const NetLabel symLabels[] = {
    { "(100)", 850, 5600, 0, {} },
    { "(110)", 5800, 5600, 0, {} },
    { "(111)", 5250, 850, 0, {} },
};

// The bars sit over digits of the window's font: "(" about 50 twips, a digit
// about 100, so a bar over digit n (from 0) starts near x + 50 + 100 n.
const NetLabel fullLabels[] = {
    { "(100)", 3700, 3550, 0, {} },
    { "(110)", 4800, 3550, 0, {} },
    { "(010)", 6530, 3500, 0, {} },
    { "(111)", 4750, 2250, 0, {} },
    { "(011)", 5700, 1300, 0, {} },
    { "(101)", 3550, 2050, 0, {} },
    { "(001)", 3500, 350, 0, {} },
    { "(111)", 1900, 2250, 1, { { 2230, 2050, 2120 } } },
    { "(011)", 900, 1300, 1, { { 1290, 1050, 1120 } } },
    { "(110)", 1800, 3550, 1, { { 3540, 1950, 2020 } } },
    { "(010)", 80, 3500, 1, { { 3480, 230, 300 } } },
    { "(111)", 1900, 4600, 2, { { 4590, 2050, 2120 }, { 4590, 2150, 2220 } } },
    { "(011)", 950, 5600, 2, { { 5580, 1100, 1170 }, { 5580, 1200, 1270 } } },
    { "(101)", 3550, 4800, 1, { { 4790, 3800, 3870 } } },
    { "(001)", 3500, 6550, 1, { { 6540, 3720, 3790 } } },
    { "(111)", 4750, 4600, 1, { { 4590, 5000, 5070 } } },
    { "(011)", 5700, 5700, 1, { { 5680, 5930, 6000 } } },
};

} // namespace

void DrawCubicSymNet(DrawingSurface& surface, int lineWidth)
{
    surface.SetDrawWidth(lineWidth);

    // (110) lies u from (100) in the projected plane; S stretches that to
    // 5000 twips. The edge (110)-(111) is the great circle centred c to the
    // left of (100), radius rho, which meets the line x = y at (a, a): (111).
    const double u = 2 * std::tan(Pi * 22.5 / 180);
    const double S = 5000 / u;
    const double c = 2 / u - u / 2;
    const double rho = u + c;
    const double a = (-c + std::sqrt(2 * rho * rho - c * c)) / 2;

    surface.Line(1000, 5500, 6000, 5500);
    surface.Line(1000, 5500, S * a + 1000, 5500 - S * a);

    const double e = std::atan(a / (c + a));
    surface.Arc(1000 - S * c, 5500, S * rho, 0, e);

    DrawLabels(surface, symLabels);
}

void DrawCubicFullNet(DrawingSurface& surface, int lineWidth)
{
    surface.SetDrawWidth(lineWidth);

    // The diagonals end on the rim at 45 degrees; the {110} arcs are centred
    // on the rim and cut it at right angles.
    const double d = 3000 / std::sqrt(2.0);
    const double rho = std::sqrt(2.0) * 3000;

    surface.Circle(3500, 3500, 3000);
    surface.Line(500, 3500, 6500, 3500);
    surface.Line(3500, 500, 3500, 6500);
    surface.Line(3500 - d, 3500 - d, 3500 + d, 3500 + d);
    surface.Line(3500 - d, 3500 + d, 3500 + d, 3500 - d);

    // The left great circle crosses angle 0, so it takes two arcs.
    surface.Arc(500, 3500, rho, 0, Pi / 4);
    surface.Arc(500, 3500, rho, Pi * 7 / 4, Pi + Pi);
    surface.Arc(6500, 3500, rho, Pi * 3 / 4, Pi * 5 / 4);
    surface.Arc(3500, 500, rho, Pi * 5 / 4, Pi * 7 / 4);
    surface.Arc(3500, 6500, rho, Pi / 4, Pi * 3 / 4);

    DrawLabels(surface, fullLabels);
}

const DocumentedNetLayer CubicSymNetLayer { DrawCubicSymNet };
const DocumentedNetLayer CubicFullNetLayer { DrawCubicFullNet };
