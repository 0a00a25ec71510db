#include "plotting/DrawCommand.h"

#include "crystal/Reduction.h"
#include "plotting/CheckIndex.h"

#include <cmath>

namespace {

bool fitsIndex(double value)
{
    return value >= -32768.0 && value <= 32767.0;
}

std::array<double, 3> opposite(const std::array<double, 3>& v)
{
    return { -v[0], -v[1], -v[2] };
}

// The index as the view stores it, still in doubles so that its range can
// be tested before anything is converted to 16 bits. The full views show
// the pole of a plane on the projected hemisphere: a plane typed with a
// negative index along the projection axis is the same plane as its
// opposite, which is what they store.
std::array<double, 3> storedIndex(std::array<double, 3> v, IndexRule rule)
{
    switch (rule) {
    case IndexRule::CubicTriangle:
        // In any order: SortCubicIndex orders them once they are known to fit.
        return { std::trunc(std::fabs(v[0])), std::trunc(std::fabs(v[1])),
            std::trunc(std::fabs(v[2])) };
    case IndexRule::HexSector:
        return HexSectorIndex(v[0], v[1], v[2]);
    case IndexRule::FoldFirst:
        if (v[0] < 0)
            v = opposite(v);
        break;
    case IndexRule::FoldThird:
        if (v[2] < 0)
            v = opposite(v);
        break;
    case IndexRule::AsTyped:
        break;
    }
    return { std::floor(v[0]), std::floor(v[1]), std::floor(v[2]) };
}

} // namespace

DrawCommandResult RunDrawCommand(const QString& x, const QString& y, const QString& z,
    const View& view, PoleStore& store, IndexKind kind)
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
    if (kind == IndexKind::Direction && !view.allowsDirections())
        return result;

    const std::array<double, 3> p = storedIndex(check.values, view.rule);
    // A hexagonal plane's i = -(h + k) is an index of its own and must fit too.
    const bool fits = fitsIndex(p[0]) && fitsIndex(p[1]) && fitsIndex(p[2])
        && (!view.fourIndices() || kind == IndexKind::Direction || fitsIndex(-(p[0] + p[1])));
    if (!fits) {
        result.messages << Messages::IndexTooLarge;
        return result;
    }
    // A typed fraction such as 0.5 0 0 passes the zero test but has no
    // direction once it is cut to whole numbers.
    if (p[0] == 0.0 && p[1] == 0.0 && p[2] == 0.0) {
        result.messages << Messages::ZeroIndex;
        return result;
    }

    const Index3 index = view.rule == IndexRule::CubicTriangle
        ? SortCubicIndex(check.values[0], check.values[1], check.values[2])
        : Index3 { static_cast<int16_t>(p[0]), static_cast<int16_t>(p[1]),
              static_cast<int16_t>(p[2]) };
    result.added = store.append({ kind, index });
    return result;
}
