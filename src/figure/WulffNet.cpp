#include "figure/WulffNet.h"

#include "figure/GreatCircle.h"

#include <cmath>

namespace {

constexpr int StepDegrees = 2;
constexpr int StrongDegrees = 10;
constexpr int FaintReach = 80;

// The meridian through the equator's point at longitude degrees from the
// centre: the great circle whose normal is horizontal, across the view.
// Where the meridians crowd together near the top and bottom, the faint
// ones stop at latitude reach.
void DrawMeridian(DrawingSurface& surface, const Frame& frame, int degrees, int reach)
{
    const double longitude = Pi * degrees / 180.0;
    const Vector3 normal { -std::sin(longitude), std::cos(longitude), 0.0 };
    const std::optional<GreatCircleTrace> trace = TraceGreatCircle(frame, normal);
    if (reach >= 90 || !trace || trace->shape != GreatCircleTrace::Shape::Arc) {
        DrawGreatCircle(surface, frame, normal);
        return;
    }
    // The arc is symmetric about the equator, which it crosses at its middle.
    const double latitude = Pi * reach / 180.0;
    const double scale = 2.0 * frame.scale / (1.0 + std::cos(latitude) * std::cos(longitude));
    const TwipsPoint top = { frame.x + scale * std::cos(latitude) * std::sin(longitude),
        frame.y - scale * std::sin(latitude) };
    const double middle = (trace->start + trace->end) / 2.0;
    const double toTop = std::atan2(trace->centre.y - top.y, top.x - trace->centre.x);
    const double half = std::fabs(std::remainder(toTop - middle, 2.0 * Pi));
    DrawArcSpan(surface, trace->centre, trace->radius, middle - half, middle + half);
}

// The parallel at latitude degrees, up positive. In the projected plane its
// points p satisfy |p - (0, 2 / sin lat)| = 2 / tan |lat|: a circle centred
// on the vertical diameter produced, of which the arc of 2 |lat| nearest
// the centre lies inside the primitive, ending on it at (+-2 cos lat, 2 sin lat).
void DrawParallel(DrawingSurface& surface, const Frame& frame, int degrees)
{
    if (degrees == 0) {
        surface.Line(frame.x - 2.0 * frame.scale, frame.y, frame.x + 2.0 * frame.scale, frame.y);
        return;
    }
    const double latitude = Pi * std::abs(degrees) / 180.0;
    const double offset = 2.0 * frame.scale / std::sin(latitude);
    const double radius = 2.0 * frame.scale / std::tan(latitude);
    // Above the centre the circle's centre lies higher still and the arc
    // hangs from it; below, all is mirrored.
    const double middle = degrees > 0 ? 1.5 * Pi : 0.5 * Pi;
    surface.Arc(frame.x, degrees > 0 ? frame.y - offset : frame.y + offset, radius,
        middle - latitude, middle + latitude);
}

bool Strong(int degrees)
{
    return degrees % StrongDegrees == 0;
}

} // namespace

void DrawWulffNet(DrawingSurface& surface, const Frame& frame, int lineWidth)
{
    constexpr int Last = 90 - StepDegrees;
    // The faint lines first, so that the strong ones lie over them.
    surface.SetTone(Tone::Faint);
    surface.SetDrawWidth(1);
    for (int degrees = -Last; degrees <= Last; degrees += StepDegrees)
        if (!Strong(degrees))
            DrawMeridian(surface, frame, degrees, FaintReach);
    for (int degrees = -Last; degrees <= Last; degrees += StepDegrees)
        if (!Strong(degrees))
            DrawParallel(surface, frame, degrees);
    surface.SetTone(Tone::Full);
    surface.SetDrawWidth(lineWidth);
    for (int degrees = -Last; degrees <= Last; degrees += StepDegrees)
        if (Strong(degrees))
            DrawMeridian(surface, frame, degrees, 90);
    for (int degrees = -Last; degrees <= Last; degrees += StepDegrees)
        if (Strong(degrees))
            DrawParallel(surface, frame, degrees);
}
