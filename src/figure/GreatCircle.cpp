#include "figure/GreatCircle.h"

#include <cmath>

namespace {

constexpr double TwoPi = 2.0 * Pi;
// Beyond this radius in twips an arc is drawn as its chord: across the
// primitive (6000 twips at the full views' scale) the two differ by under
// a twip, and painters refuse coordinates of ten million twips.
constexpr double MaxArcRadius = 5.0e6;

} // namespace

std::optional<GreatCircleTrace> TraceGreatCircle(const Frame& frame, const Vector3& normal)
{
    const double length = Norm(normal);
    if (!std::isfinite(length) || !(length > 0.0))
        return std::nullopt;
    const Vector3 t = Scaled(normal, 1.0 / length);
    const double across = std::hypot(t[1], t[2]);
    GreatCircleTrace trace;
    if (across < 1e-12) {
        trace.centre = { frame.x, frame.y };
        trace.radius = 2.0 * frame.scale;
        trace.end = TwoPi;
        return trace;
    }
    // The circle meets the primitive where it leaves the visible
    // hemisphere: at +-(0, -t2, t1), on the rim at 2 (-t2, t1) / |(t1, t2)|.
    trace.from = frame.toTwips({ -2.0 * t[2] / across, 2.0 * t[1] / across });
    trace.to = frame.toTwips({ 2.0 * t[2] / across, -2.0 * t[1] / across });
    // In the projected plane its points p satisfy |p - 2 (t1, t2) / t0| = 2 / |t0|,
    // a circle that cuts the primitive at right angles. The visible half is
    // the arc nearer the centre: asin |t0| either side of the direction from
    // its centre toward the centre of projection.
    const double radius = 2.0 * frame.scale / std::fabs(t[0]);
    if (!(radius <= MaxArcRadius)) {
        trace.shape = GreatCircleTrace::Shape::Diameter;
        return trace;
    }
    trace.shape = GreatCircleTrace::Shape::Arc;
    trace.centre = frame.toTwips({ 2.0 * t[1] / t[0], 2.0 * t[2] / t[0] });
    trace.radius = radius;
    const double towardCentre = std::atan2(-t[2] / t[0], -t[1] / t[0]);
    const double half = std::asin(std::min(1.0, std::fabs(t[0])));
    double start = std::remainder(towardCentre - half, TwoPi);
    if (start < 0.0)
        start += TwoPi;
    trace.start = start;
    trace.end = start + 2.0 * half;
    return trace;
}

void DrawArcSpan(
    DrawingSurface& surface, TwipsPoint centre, double radius, double start, double end)
{
    const double sweep = end - start;
    if (!std::isfinite(sweep) || !(sweep > 0.0))
        return;
    if (sweep >= TwoPi) {
        surface.Arc(centre.x, centre.y, radius, 0.0, TwoPi);
        return;
    }
    double from = std::remainder(start, TwoPi);
    if (from < 0.0)
        from += TwoPi;
    const double to = from + sweep;
    if (to > TwoPi) {
        surface.Arc(centre.x, centre.y, radius, 0.0, to - TwoPi);
        surface.Arc(centre.x, centre.y, radius, from, TwoPi);
    } else {
        surface.Arc(centre.x, centre.y, radius, from, to);
    }
}

void DrawGreatCircle(DrawingSurface& surface, const Frame& frame, const Vector3& normal)
{
    const std::optional<GreatCircleTrace> trace = TraceGreatCircle(frame, normal);
    if (!trace)
        return;
    switch (trace->shape) {
    case GreatCircleTrace::Shape::Primitive:
        surface.Arc(trace->centre.x, trace->centre.y, trace->radius, 0.0, TwoPi);
        break;
    case GreatCircleTrace::Shape::Diameter:
        surface.Line(trace->from.x, trace->from.y, trace->to.x, trace->to.y);
        break;
    case GreatCircleTrace::Shape::Arc:
        DrawArcSpan(surface, trace->centre, trace->radius, trace->start, trace->end);
        break;
    }
}
