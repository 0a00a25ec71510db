#include "plotting/StereoProjection.h"

#include <cmath>

double StereoProject(double w1, double w2, double w3, int selector)
{
    const double t = 2.0 / (1.0 - w1);
    return selector == 1 ? t * w2 : t * w3;
}

double AngleBetween(double a1, double a2, double a3, double b1, double b2, double b3)
{
    const double dot = a1 * b1 + a2 * b2 + a3 * b3;
    const double lengthB = std::sqrt(b1 * b1 + b2 * b2 + b3 * b3);
    const double lengthA = std::sqrt(a1 * a1 + a2 * a2 + a3 * a3);
    const double c = dot / (lengthA * lengthB);
    // Parallel and opposite directions both count as 0; rounding can carry
    // the cosine of equal directions just past 1, where the arccos form
    // below has no real value.
    if (c >= 1.0 || c <= -1.0)
        return 0.0;
    return (std::atan(-c / std::sqrt(1.0 - c * c)) + 2.0 * std::atan(1.0)) * 180.0 / Pi;
}
