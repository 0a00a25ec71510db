#include "hexagonal/HexagonalFunction.h"

#include <algorithm>
#include <cmath>

Vector3 HexToCartesian(double h, double k, double l)
{
    return { l / std::sqrt(8.0 / 3.0), (2.0 * h + k) / std::sqrt(3.0), k };
}

std::array<double, 3> HexSectorIndex(double h, double k, double l)
{
    // The six-fold axis and the mirrors permute |h|, |k| and |i| (and flip
    // l): the sector's representative takes the middle and the smallest.
    // The signs of h and k matter, since they decide i.
    const double th = std::trunc(h);
    const double tk = std::trunc(k);
    std::array<double, 3> m { std::fabs(th), std::fabs(tk), std::fabs(th + tk) };
    std::sort(m.begin(), m.end());
    return { m[1], m[0], std::trunc(std::fabs(l)) };
}

std::array<int16_t, 3> SortHexIndex(double h, double k, double l)
{
    const std::array<double, 3> s = HexSectorIndex(h, k, l);
    return { static_cast<int16_t>(s[0]), static_cast<int16_t>(s[1]), static_cast<int16_t>(s[2]) };
}
