#include "views/View.h"

#include <cmath>

std::optional<View> ViewOf(int16_t crystalSystem, int16_t symmetryMode)
{
    const bool symmetric = symmetryMode == 1;
    switch (crystalSystem) {
    case 1:
        return symmetric ? View::CubicSym : View::CubicFull;
    case 2:
        return symmetric ? View::HexSym : View::HexFull;
    default:
        return std::nullopt;
    }
}

bool IsCubic(View view)
{
    return view == View::CubicSym || view == View::CubicFull;
}

bool IsSymmetric(View view)
{
    return view == View::CubicSym || view == View::HexSym;
}

TwipsPoint ToScreen(View view, ProjectedPoint p)
{
    switch (view) {
    case View::CubicSym:
        return CubicSymToScreen(p);
    case View::HexSym:
        return HexSymToScreen(p);
    case View::CubicFull:
    case View::HexFull:
        break;
    }
    return FullViewToScreen(p);
}

ProjectedPoint FromScreen(View view, TwipsPoint t)
{
    switch (view) {
    case View::CubicSym:
        return ScreenToCubicSym(t);
    case View::HexSym:
        return ScreenToHexSym(t);
    case View::CubicFull:
    case View::HexFull:
        break;
    }
    return ScreenToFullView(t);
}

std::array<double, 3> AnglesToReferences(View view, const Vector3& a)
{
    // The cubic references are given as whole numbers; the third hexagonal
    // one lies 30 degrees from a1 in the basal plane.
    static const std::array<Vector3, 3> cubic { { { 1, 0, 0 }, { 1, 1, 0 }, { 1, 1, 1 } } };
    static const std::array<Vector3, 3> hexagonal { { { 1, 0, 0 }, { 0, 1, 0 },
        { 0, std::sqrt(3.0) / 2.0, 1.0 / 2.0 } } };
    const std::array<Vector3, 3>& references = IsCubic(view) ? cubic : hexagonal;
    return { AngleBetween(a, references[0]), AngleBetween(a, references[1]),
        AngleBetween(a, references[2]) };
}
