#include "crystal/Reduction.h"

#include <algorithm>
#include <cmath>
#include <utility>

std::array<int16_t, 3> SortCubicIndex(double a, double b, double c)
{
    std::array<int16_t, 3> s = {
        static_cast<int16_t>(std::trunc(std::fabs(a))),
        static_cast<int16_t>(std::trunc(std::fabs(b))),
        static_cast<int16_t>(std::trunc(std::fabs(c))),
    };
    // Largest first; equal neighbours stay where they are.
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (size_t i = 0; i < 2; ++i) {
            if (s[i] < s[i + 1]) {
                std::swap(s[i], s[i + 1]);
                swapped = true;
            }
        }
    }
    return s;
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
