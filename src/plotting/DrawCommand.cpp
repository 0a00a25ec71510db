#include "plotting/DrawCommand.h"

#include "cubic/CubicFunction.h"
#include "hexagonal/HexagonalFunction.h"
#include "plotting/CheckIndex.h"
#include "views/View.h"

#include <cmath>

namespace {

bool fitsIndex(double value)
{
    return value >= -32768.0 && value <= 32767.0;
}

// The index as the view stores it, still in doubles so that its range can
// be tested before anything is converted to 16 bits. The full views show
// the pole of a plane on the projected hemisphere: a plane typed with a
// negative index along the projection axis is the same plane as its
// opposite, which is what they store.
std::array<double, 3> storedIndex(std::array<double, 3> v, bool cubic, bool symmetric)
{
    if (cubic) {
        if (symmetric)
            return { std::trunc(std::fabs(v[0])), std::trunc(std::fabs(v[1])),
                std::trunc(std::fabs(v[2])) };
        if (v[0] < 0)
            v = { -v[0], -v[1], -v[2] };
        return { std::floor(v[0]), std::floor(v[1]), std::floor(v[2]) };
    }
    if (symmetric)
        return HexSectorIndex(v[0], v[1], v[2]);
    if (v[2] < 0)
        v = { -v[0], -v[1], -v[2] };
    return { std::floor(v[0]), std::floor(v[1]), std::floor(v[2]) };
}

} // namespace

DrawCommandResult RunDrawCommand(const QString& x, const QString& y, const QString& z,
    int16_t crystalSystem, int16_t symmetryMode, PoleStore& store)
{
    DrawCommandResult result;
    const CheckIndexResult check = CheckIndex(x, y, z);
    if (!check.message.isEmpty())
        result.messages << check.message;
    if (!check.proceed)
        return result;

    if (store.isFull()) {
        result.messages << Messages::StoreFull;
        return result;
    }

    const std::optional<View> view = ViewOf(crystalSystem, symmetryMode);
    if (!view)
        return result;
    const bool cubic = IsCubic(*view);
    const bool symmetric = IsSymmetric(*view);

    const std::array<double, 3> p = storedIndex(check.values, cubic, symmetric);
    const double p4 = -(p[0] + p[1]);
    if (!fitsIndex(p[0]) || !fitsIndex(p[1]) || !fitsIndex(p[2]) || (!cubic && !fitsIndex(p4))) {
        result.messages << Messages::IndexTooLarge;
        return result;
    }
    // A typed fraction such as 0.5 0 0 passes the zero test but has no
    // direction once it is cut to whole numbers.
    if (p[0] == 0.0 && p[1] == 0.0 && p[2] == 0.0) {
        result.messages << Messages::ZeroIndex;
        return result;
    }

    Pole pole;
    const std::array<int16_t, 3> s = cubic && symmetric
        ? SortCubicIndex(check.values[0], check.values[1], check.values[2])
        : std::array<int16_t, 3> { static_cast<int16_t>(p[0]), static_cast<int16_t>(p[1]),
              static_cast<int16_t>(p[2]) };
    pole.PoleIndex = { s[0], s[1], s[2], cubic ? int16_t(0) : static_cast<int16_t>(p4) };

    const Vector3 index { double(pole.PoleIndex[0]), double(pole.PoleIndex[1]),
        double(pole.PoleIndex[2]) };
    const Vector3 u = UnitVector(cubic ? index : HexToCartesian(index[0], index[1], index[2]));
    const TwipsPoint at = ToScreen(*view, StereoProject({ -std::fabs(u[0]), u[1], u[2] }));
    pole.PoleX = at.x;
    pole.PoleY = at.y;
    // Cubic angles are measured from the stored index itself, hexagonal ones
    // from its unit normal; either lies on the projected hemisphere.
    pole.PoleAngle = AnglesToReferences(*view, cubic ? index : u);

    result.added = store.append(pole);
    return result;
}
