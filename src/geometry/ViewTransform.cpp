#include "geometry/ViewTransform.h"

#include <cmath>

namespace {

// The (110) pole, 2 tan 22.5 deg from the centre, lands 5000 twips from (100).
double cubicSymScale()
{
    return 5000.0 / (2.0 * std::tan(Pi * 22.5 / 180.0));
}

constexpr double HexSymScale = 2500.0;
constexpr double FullViewScale = 1500.0;

} // namespace

TwipsPoint CubicSymToScreen(ProjectedPoint p)
{
    const double scale = cubicSymScale();
    return { 1000.0 + scale * p.x, 5500.0 - scale * p.y };
}

TwipsPoint HexSymToScreen(ProjectedPoint p)
{
    return { 1000.0 + HexSymScale * p.x, 5500.0 - HexSymScale * p.y };
}

TwipsPoint FullViewToScreen(ProjectedPoint p)
{
    return { 3500.0 + p.x * FullViewScale, 3500.0 - p.y * FullViewScale };
}

ProjectedPoint ScreenToCubicSym(TwipsPoint t)
{
    const double scale = cubicSymScale();
    return { (t.x - 1000.0) / scale, (5500.0 - t.y) / scale };
}

ProjectedPoint ScreenToHexSym(TwipsPoint t)
{
    return { (t.x - 1000.0) / HexSymScale, (5500.0 - t.y) / HexSymScale };
}

ProjectedPoint ScreenToFullView(TwipsPoint t)
{
    return { (t.x - 3500.0) / FullViewScale, (3500.0 - t.y) / FullViewScale };
}
