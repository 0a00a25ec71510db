#include "hexagonal/HexagonalFunction.h"

#include <cmath>

Vector3 HexToCartesian(double h, double k, double l)
{
    return { l / std::sqrt(8.0 / 3.0), (2.0 * h + k) / std::sqrt(3.0), k };
}

std::array<int16_t, 3> SortHexIndex(double h, double k, double l)
{
    const auto a = static_cast<int16_t>(std::trunc(std::fabs(h)));
    const auto b = static_cast<int16_t>(std::trunc(std::fabs(k)));
    const auto c = static_cast<int16_t>(std::trunc(std::fabs(l)));
    return a < b ? std::array<int16_t, 3> { b, a, c } : std::array<int16_t, 3> { a, b, c };
}
