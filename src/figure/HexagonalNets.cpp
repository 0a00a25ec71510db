#include "figure/DocumentedNets.h"

#include "figure/NetLabels.h"
#include "geometry/Geometry.h"

#include <cmath>

namespace {

// Four-index labels (h k i l) with i = -(h + k), each naming the pole that
// lies at its azimuth. A bar over digit n (from 0) starts near x + 50 + 100 n:
// "(" is about 50 twips wide in the window's font, a digit about 100.
const NetLabel symLabels[] = {
    { "(0001)", 850, 5600, 0, {} },
    { "(1010)", 5800, 5600, 1, { { 5580, 6050, 6120 } } },
    { "(1120)", 5200, 2800, 1, { { 2780, 5450, 5520 } } },
};

const NetLabel fullLabels[] = {
    { "(0001)", 3650, 3600, 0, {} },
    { "(1010)", 6530, 3450, 1, { { 3440, 6770, 6840 } } }, // 0 degrees
    { "(1120)", 6100, 1900, 1, { { 1880, 6350, 6420 } } }, // 30
    { "(0110)", 5000, 700, 1, { { 680, 5230, 5300 } } }, // 60
    { "(1210)", 3300, 300, 2, { { 280, 3350, 3420 }, { 280, 3550, 3620 } } }, // 90
    { "(1100)", 1600, 700, 1, { { 680, 1660, 1730 } } }, // 120
    { "(2110)", 400, 1900, 1, { { 1880, 460, 530 } } }, // 150
    { "(1010)", 0, 3500, 1, { { 3480, 50, 120 } } }, // 180
    { "(1120)", 400, 5000, 2, { { 4980, 460, 530 }, { 4980, 560, 630 } } }, // 210
    { "(1210)", 3300, 6550, 1, { { 6540, 3450, 3520 } } }, // 270
    { "(0110)", 1600, 6150, 1, { { 6120, 1750, 1820 } } }, // 240
    { "(1100)", 5000, 6150, 1, { { 6120, 5140, 5210 } } }, // 300
    { "(2110)", 6100, 5000, 2, { { 4980, 6260, 6330 }, { 4980, 6360, 6430 } } }, // 330
};

// The hexagon of the a axes in the upper left corner, c normal to the
// drawing, a1 down to the right and a2 up, as both hexagonal views orient them.
void DrawCrystalAxes(DrawingSurface& surface)
{
    const double r3 = std::sqrt(3.0);
    surface.Line(200, 400, 200, 800);
    surface.Line(200, 800, 200 + 200 * r3, 1000);
    surface.Line(200 + 200 * r3, 1000, 200 + 400 * r3, 800);
    surface.Line(200 + 400 * r3, 800, 200 + 400 * r3, 400);
    surface.Line(200 + 400 * r3, 400, 200 + 200 * r3, 200);
    surface.Line(200 + 200 * r3, 200, 200, 400);

    surface.SetCurrentX(250);
    surface.SetCurrentY(650);
    surface.Print("[001]");

    surface.Line(200 + 200 * r3, 600, 200 + 480 * r3, 900);
    surface.SetCurrentX(250 + 480 * r3);
    surface.SetCurrentY(900);
    surface.Print("[100]");

    surface.Line(200 + 200 * r3, 600, 200 + 200 * r3, 0);
    surface.SetCurrentX(250 + 240 * r3);
    surface.SetCurrentY(0);
    surface.Print("[010]");
}

} // namespace

void DrawHexSymNet(DrawingSurface& surface, int lineWidth)
{
    surface.SetDrawWidth(lineWidth);

    // The 30-degree sector: apex (0001) at (1000, 5500), rim at radius 5000.
    surface.Arc(1000, 5500, 5000, 0, Pi / 6);
    surface.Line(1000, 5500, 6000, 5500);
    surface.Line(1000, 5500, 1000 + 5000 * std::sqrt(3.0) / 2, 5500 - 5000 / 2);

    DrawLabels(surface, symLabels);
    DrawCrystalAxes(surface);
}

void DrawHexFullNet(DrawingSurface& surface, int lineWidth)
{
    surface.SetDrawWidth(lineWidth);

    surface.Circle(3500, 3500, 3000);

    // The traces of the six vertical mirror planes, 30 degrees apart.
    const double half = 3000 / 2;
    const double halfR3 = 3000 * std::sqrt(3.0) / 2;
    surface.Line(500, 3500, 6500, 3500);
    surface.Line(3500, 500, 3500, 6500);
    surface.Line(3500 - half, 3500 - halfR3, 3500 + half, 3500 + halfR3);
    surface.Line(3500 - half, 3500 + halfR3, 3500 + half, 3500 - halfR3);
    surface.Line(3500 - halfR3, 3500 - half, 3500 + halfR3, 3500 + half);
    surface.Line(3500 - halfR3, 3500 + half, 3500 + halfR3, 3500 - half);

    DrawLabels(surface, fullLabels);
    DrawCrystalAxes(surface);
}

const DocumentedNetLayer HexSymNetLayer { DrawHexSymNet };
const DocumentedNetLayer HexFullNetLayer { DrawHexFullNet };
