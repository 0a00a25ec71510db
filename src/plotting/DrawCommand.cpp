#include "plotting/DrawCommand.h"

#include "cubic/CubicFunction.h"
#include "hexagonal/HexagonalFunction.h"
#include "plotting/CheckIndex.h"
#include "plotting/StereoProjection.h"

#include <cmath>

namespace {

bool fitsIndex(double value)
{
    return value >= -32768.0 && value <= 32767.0;
}

// The index as the view stores it, still in doubles so that its range can
// be tested before anything is converted to 16 bits.
std::array<double, 3> storedIndex(
    const std::array<double, 3>& v, int16_t crystalSystem, bool symmetric)
{
    if (crystalSystem == 1) {
        if (symmetric)
            return { std::trunc(std::fabs(v[0])), std::trunc(std::fabs(v[1])),
                std::trunc(std::fabs(v[2])) };
        return { std::floor(std::fabs(v[0])), std::floor(v[1]), std::floor(v[2]) };
    }
    if (symmetric)
        return { std::trunc(std::fabs(v[0])), std::trunc(std::fabs(v[1])),
            std::trunc(std::fabs(v[2])) };
    return { std::floor(v[0]), std::floor(v[1]), std::floor(std::fabs(v[2])) };
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

    const bool cubic = crystalSystem == 1;
    const bool hexagonal = crystalSystem == 2;
    if (!cubic && !hexagonal)
        return result;
    const bool symmetric = symmetryMode == 1;

    const std::array<double, 3> p = storedIndex(check.values, crystalSystem, symmetric);
    const double p4 = -(p[0] + p[1]);
    if (!fitsIndex(p[0]) || !fitsIndex(p[1]) || !fitsIndex(p[2]) || (hexagonal && !fitsIndex(p4))) {
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
    if (cubic) {
        const std::array<int16_t, 3> s = symmetric
            ? SortCubicIndex(check.values[0], check.values[1], check.values[2])
            : std::array<int16_t, 3> { static_cast<int16_t>(p[0]), static_cast<int16_t>(p[1]),
                  static_cast<int16_t>(p[2]) };
        pole.PoleIndex = { s[0], s[1], s[2], 0 };
    } else {
        const std::array<int16_t, 3> s = symmetric
            ? SortHexIndex(check.values[0], check.values[1], check.values[2])
            : std::array<int16_t, 3> { static_cast<int16_t>(p[0]), static_cast<int16_t>(p[1]),
                  static_cast<int16_t>(p[2]) };
        pole.PoleIndex = { s[0], s[1], s[2], static_cast<int16_t>(-(s[0] + s[1])) };
    }

    const double p1 = pole.PoleIndex[0];
    const double p2 = pole.PoleIndex[1];
    const double p3 = pole.PoleIndex[2];
    const std::array<double, 3> c
        = cubic ? std::array<double, 3> { p1, p2, p3 } : HexToCartesian(p1, p2, p3);
    const std::array<double, 3> u = UnitVector(c[0], c[1], c[2]);
    const double w1 = -std::fabs(u[0]);
    const double projected1 = StereoProject(w1, u[1], u[2], 1);
    const double projected2 = StereoProject(w1, u[1], u[2], 2);

    if (cubic && symmetric) {
        pole.PoleX = CubicSymToScreen(projected1, 1);
        pole.PoleY = CubicSymToScreen(projected2, 2);
    } else if (hexagonal && symmetric) {
        pole.PoleX = HexSymToScreen(projected1, 1);
        pole.PoleY = HexSymToScreen(projected2, 2);
    } else {
        pole.PoleX = FullViewToScreen(projected1, 1);
        pole.PoleY = FullViewToScreen(projected2, 2);
    }

    if (cubic) {
        pole.PoleAngle = { AngleBetween(p1, p2, p3, 1, 0, 0), AngleBetween(p1, p2, p3, 1, 1, 0),
            AngleBetween(p1, p2, p3, 1, 1, 1) };
    } else {
        const double a1 = std::fabs(u[0]);
        pole.PoleAngle
            = { AngleBetween(a1, u[1], u[2], 1, 0, 0), AngleBetween(a1, u[1], u[2], 0, 1, 0),
                  AngleBetween(a1, u[1], u[2], 0, std::sqrt(3.0) / 2.0, 1.0 / 2.0) };
    }

    result.added = store.append(pole);
    return result;
}
