#include "cubic/CubicFunction.h"

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
