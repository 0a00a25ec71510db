#include "cubic/CubicFunction.h"

#include "plotting/StereoProjection.h"

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

std::array<double, 3> UnitVector(double a, double b, double c)
{
    const double n = std::sqrt((a * a + b * b) + c * c);
    return { a / n, b / n, c / n };
}

double CubicSymToScreen(double value, int selector)
{
    // The (110) pole, 2 tan 22.5 deg from the centre, lands 5000 twips from (100).
    const double scale = 5000.0 / (2.0 * std::tan(Pi * 22.5 / 180.0));
    return selector == 1 ? 1000.0 + scale * value : 5500.0 - scale * value;
}

double FullViewToScreen(double value, int selector)
{
    const double v = value * 1500.0;
    return selector == 1 ? 3500.0 + v : 3500.0 - v;
}
