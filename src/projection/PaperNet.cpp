#include "projection/PaperNet.h"

#include <cmath>

namespace {

constexpr int StepDegrees = 2;
constexpr int StrongDegrees = 10;
constexpr int FaintReach = 80;

double radians(int degrees)
{
    return Pi * degrees / 180.0;
}

// The direction at longitude (from the centre, right positive) and
// latitude (up positive), in the view's frame.
Vector3 onSphere(int longitude, int latitude)
{
    const double lambda = radians(longitude), phi = radians(latitude);
    return { std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda), std::sin(phi) };
}

CurvePath meridian(const Frame& frame, ProjectionKind kind, int longitude, int reach)
{
    if (reach >= 90) {
        const double lambda = radians(longitude);
        return GreatCircleCurve(frame, kind, { -std::sin(lambda), std::cos(lambda), 0.0 });
    }
    return GreatArcCurve(frame, kind, onSphere(longitude, -reach), onSphere(longitude, reach));
}

CurvePath parallel(const Frame& frame, ProjectionKind kind, int latitude)
{
    if (latitude == 0)
        return GreatCircleCurve(frame, kind, { 0.0, 0.0, 1.0 });
    return SmallCircleCurve(
        frame, kind, { 0.0, 0.0, latitude > 0 ? 1.0 : -1.0 }, radians(90 - std::abs(latitude)));
}

} // namespace

std::vector<NetCurve> PaperNet(const Frame& frame, ProjectionKind kind)
{
    constexpr int Last = 90 - StepDegrees;
    std::vector<NetCurve> net;
    for (const Tone tone : { Tone::Faint, Tone::Full }) {
        const bool strong = tone == Tone::Full;
        for (int degrees = -Last; degrees <= Last; degrees += StepDegrees)
            if ((degrees % StrongDegrees == 0) == strong)
                net.push_back({ tone, meridian(frame, kind, degrees, strong ? 90 : FaintReach) });
        for (int degrees = -Last; degrees <= Last; degrees += StepDegrees)
            if ((degrees % StrongDegrees == 0) == strong)
                net.push_back({ tone, parallel(frame, kind, degrees) });
    }
    return net;
}
