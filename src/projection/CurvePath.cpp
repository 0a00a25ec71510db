#include "projection/CurvePath.h"

#include "projection/Projector.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace {

using std::numbers::pi;

// The shares of CurveTolerance each approximation may take, in twips: a
// Bezier of an equal-area curve, a Bezier of a true arc, and a curve drawn
// straight. Together they stay under a tenth of a pixel.
constexpr double BezierTolerance = 1.0;
constexpr double ArcTolerance = 0.25;
constexpr double StraightTolerance = 0.25;
// The radial error of the usual cubic Bezier of a quarter circle of radius
// 1; over a sweep a it shrinks as a^6.
constexpr double QuarterArcError = 2.7256e-4;
// How often a piece that does not fit is halved at most.
constexpr int MaxHalvings = 20;

// A circle of the sphere: the directions at angle r from axis, at
// cos r axis + sin r (cos s e1 + sin s e2). e2 lies across the line of
// sight and e1 leans as far toward the viewer as the circle allows, so the
// circle faces the viewer most at s = 0 and symmetrically about it.
struct SphereCircle
{
    Vector3 axis;
    double cosRadius = 0.0;
    double sinRadius = 1.0;
    Vector3 e1;
    Vector3 e2;

    Vector3 at(double s) const
    {
        return Sum(Scaled(axis, cosRadius),
            Sum(Scaled(e1, sinRadius * std::cos(s)), Scaled(e2, sinRadius * std::sin(s))));
    }
    Vector3 along(double s) const
    {
        return Sum(Scaled(e1, -sinRadius * std::sin(s)), Scaled(e2, sinRadius * std::cos(s)));
    }
};

// The unit vector along v, divided first by its largest component so that
// no square overflows or underflows; none for a zero or non-finite v.
std::optional<Vector3> unit(const Vector3& v)
{
    const double largest = std::max({ std::fabs(v[0]), std::fabs(v[1]), std::fabs(v[2]) });
    if (!std::isfinite(largest) || !(largest > 0.0))
        return std::nullopt;
    return Normalised({ v[0] / largest, v[1] / largest, v[2] / largest });
}

SphereCircle circleAbout(const Vector3& axis, double cosRadius, double sinRadius)
{
    SphereCircle c { axis, cosRadius, sinRadius, {}, { 0.0, 1.0, 0.0 } };
    const double across = std::hypot(axis[1], axis[2]);
    if (across > 0.0)
        c.e2 = { 0.0, -axis[2] / across, axis[1] / across };
    c.e1 = Cross(axis, c.e2);
    return c;
}

// The circle faces the viewer where component 0 is not negative:
// cos r a0 + sin r |a1, a2| cos s >= 0, for s within the half span
// returned; pi when all of it does, none when none of it does.
std::optional<double> visibleHalfSpan(const SphereCircle& c)
{
    const double middle = c.cosRadius * c.axis[0];
    const double swing = c.sinRadius * c.e1[0];
    // A circle that lies on the rim but for rounding is all of it, not the
    // half that the last bit of a turn would tilt forward.
    if (!(swing > Projector::RimTolerance))
        return middle >= -Projector::RimTolerance ? std::optional(pi) : std::nullopt;
    const double edge = -middle / swing;
    if (edge <= -1.0)
        return pi;
    if (edge >= 1.0)
        return std::nullopt;
    return std::acos(edge);
}

struct Traced
{
    TwipsPoint at;
    // The derivative of `at` along the circle's parameter.
    TwipsPoint velocity;
};

Traced traced(const Frame& frame, ProjectionKind kind, const SphereCircle& c, double s)
{
    const Vector3 v = c.at(s);
    const Vector3 dv = c.along(s);
    // p = f (v1, v2), with f = 2 / (1 + v0) or 2 / sqrt(1 + v0); g = df / dv0.
    const double near = 1.0 + v[0];
    double f = 2.0 / near;
    double g = -f / near;
    if (kind == ProjectionKind::EqualArea) {
        f = 2.0 / std::sqrt(near);
        g = -f / (2.0 * near);
    }
    const ProjectedPoint p { f * v[1], f * v[2] };
    const ProjectedPoint dp { f * dv[1] + g * dv[0] * v[1], f * dv[2] + g * dv[0] * v[2] };
    return { frame.toTwips(p), { frame.scale * dp.x, -frame.scale * dp.y } };
}

double distance(TwipsPoint a, TwipsPoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

TwipsPoint bezierAt(TwipsPoint a, TwipsPoint b, TwipsPoint c, TwipsPoint d, double t)
{
    const double u = 1.0 - t;
    const double wa = u * u * u, wb = 3.0 * u * u * t, wc = 3.0 * u * t * t, wd = t * t * t;
    return { wa * a.x + wb * b.x + wc * c.x + wd * d.x, wa * a.y + wb * b.y + wc * c.y + wd * d.y };
}

bool nearSegment(TwipsPoint p, TwipsPoint a, TwipsPoint b, double tolerance)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return distance(p, { a.x + t * dx, a.y + t * dy }) <= tolerance;
}

// Appends a Bezier piece, or the straight line it hardly differs from: a
// curve within the hull of its controls lies within the tolerance of the line.
void appendCurve(CurvePath& path, TwipsPoint from, PathPiece piece)
{
    if (nearSegment(piece.control1, from, piece.to, StraightTolerance)
        && nearSegment(piece.control2, from, piece.to, StraightTolerance))
        piece = { PathPiece::Kind::Line, piece.to, {}, {}, {}, 0.0, 0.0, 0.0 };
    path.pieces.push_back(piece);
}

// Cubic Beziers through the traced points with their tangents (Hermite
// interpolation), each halved until it lies within BezierTolerance of the
// curve at a quarter, half and three quarters of its span, where the
// error of such a curve peaks.
void appendBeziers(CurvePath& path, const Frame& frame, ProjectionKind kind, const SphereCircle& c,
    double s0, const Traced& a, double s1, const Traced& b, int halvings)
{
    const double third = (s1 - s0) / 3.0;
    const TwipsPoint c1 { a.at.x + third * a.velocity.x, a.at.y + third * a.velocity.y };
    const TwipsPoint c2 { b.at.x - third * b.velocity.x, b.at.y - third * b.velocity.y };
    const Traced middle = traced(frame, kind, c, (s0 + s1) / 2.0);
    bool fits = halvings >= MaxHalvings;
    if (!fits) {
        fits = distance(bezierAt(a.at, c1, c2, b.at, 0.5), middle.at) <= BezierTolerance;
        for (const double t : { 0.25, 0.75 })
            fits = fits
                && distance(bezierAt(a.at, c1, c2, b.at, t),
                       traced(frame, kind, c, s0 + t * (s1 - s0)).at)
                    <= BezierTolerance;
    }
    if (!fits) {
        const double s = (s0 + s1) / 2.0;
        appendBeziers(path, frame, kind, c, s0, a, s, middle, halvings + 1);
        appendBeziers(path, frame, kind, c, s, middle, s1, b, halvings + 1);
        return;
    }
    appendCurve(path, a.at, { PathPiece::Kind::Cubic, b.at, c1, c2, {}, 0.0, 0.0, 0.0 });
}

// The stereographic image of the circle a . v = cos r is the circle about
// 2 (a1, a2) / (a0 + cos r) of radius 2 sin r / |a0 + cos r|; it is drawn
// as arcs of at most a quarter turn whose Beziers stay within ArcTolerance.
void appendArcs(
    CurvePath& path, const Frame& frame, const SphereCircle& c, double s0, double s1, bool closed)
{
    const TwipsPoint end = traced(frame, ProjectionKind::Stereographic, c, s1).at;
    const double denominator = c.axis[0] + c.cosRadius;
    const TwipsPoint centre
        = frame.toTwips({ 2.0 * c.axis[1] / denominator, 2.0 * c.axis[2] / denominator });
    const double radius = 2.0 * frame.scale * c.sinRadius / std::fabs(denominator);
    const auto angleOf = [&](TwipsPoint p) { return std::atan2(centre.y - p.y, p.x - centre.x); };
    const double start = angleOf(path.start);
    // The image turns by less than twice the circle's parameter on the
    // visible hemisphere, so eighths of the span turn by under a half turn
    // each, and their sum is the sweep.
    double sweep = 0.0;
    double previous = start;
    for (int i = 1; i <= 8; ++i) {
        const double s = i == 8 ? s1 : s0 + (s1 - s0) * i / 8.0;
        const double angle
            = angleOf(i == 8 ? end : traced(frame, ProjectionKind::Stereographic, c, s).at);
        sweep += std::remainder(angle - previous, 2.0 * pi);
        previous = angle;
    }
    if (closed)
        sweep = std::copysign(2.0 * pi, sweep);
    const double sagitta = 2.0 * radius * std::pow(std::sin(sweep / 4.0), 2);
    if (!std::isfinite(centre.x) || !std::isfinite(centre.y) || !std::isfinite(radius)
        || (!closed && std::fabs(sweep) <= pi && sagitta <= StraightTolerance)) {
        path.pieces.push_back({ PathPiece::Kind::Line, end, {}, {}, {}, 0.0, 0.0, 0.0 });
        return;
    }
    const double largest = std::min(
        pi / 2.0, pi / 2.0 * std::pow(ArcTolerance / (QuarterArcError * radius), 1.0 / 6.0));
    const int count = std::max(1, int(std::ceil(std::fabs(sweep) / largest)));
    const double step = sweep / count;
    // The controls lie along the tangents, 4/3 tan(a / 4) of the radius
    // from the ends; screen y runs down.
    const double reach = 4.0 / 3.0 * std::tan(step / 4.0) * radius;
    const auto onCircle = [&](double angle) {
        return TwipsPoint { centre.x + radius * std::cos(angle),
            centre.y - radius * std::sin(angle) };
    };
    const auto tangent = [&](double angle) {
        return TwipsPoint { -reach * std::sin(angle), -reach * std::cos(angle) };
    };
    TwipsPoint from = path.start;
    for (int i = 0; i < count; ++i) {
        const double a0 = start + i * step;
        const double a1 = a0 + step;
        const TwipsPoint to = i + 1 == count ? end : onCircle(a1);
        const TwipsPoint t0 = tangent(a0), t1 = tangent(a1);
        path.pieces.push_back({ PathPiece::Kind::Arc, to, { from.x + t0.x, from.y + t0.y },
            { to.x - t1.x, to.y - t1.y }, centre, radius, a0, step });
        from = to;
    }
}

// The path of the circle's points from parameter s0 to s1.
CurvePath drawn(const Frame& frame, ProjectionKind kind, const SphereCircle& c, double s0,
    double s1, bool closed)
{
    CurvePath path;
    const Traced a = traced(frame, kind, c, s0);
    path.start = a.at;
    // The primitive is a circle in either projection.
    const bool rim = c.cosRadius == 0.0 && c.e1[0] == 0.0;
    if (kind == ProjectionKind::Stereographic || rim) {
        appendArcs(path, frame, c, s0, s1, closed);
    } else {
        // Quarter turns at most to start from, so that no closed curve is
        // one Bezier from a point back to itself.
        const int count = std::max(1, int(std::ceil((s1 - s0) / (pi / 2.0))));
        Traced from = a;
        for (int i = 1; i <= count; ++i) {
            const double s = i == count ? s1 : s0 + (s1 - s0) * i / count;
            const Traced to = traced(frame, kind, c, s);
            appendBeziers(path, frame, kind, c, s0 + (s1 - s0) * (i - 1) / count, from, s, to, 0);
            from = to;
        }
    }
    if (closed)
        path.pieces.back().to = path.start;
    return path;
}

// The part of the circle facing the viewer, all of it or from the
// primitive to the primitive.
CurvePath visiblePart(const Frame& frame, ProjectionKind kind, const SphereCircle& c)
{
    const std::optional<double> half = visibleHalfSpan(c);
    if (!half || !(*half > 0.0))
        return {};
    const bool closed = *half >= pi;
    return drawn(frame, kind, c, closed ? -pi : -*half, closed ? pi : *half, closed);
}

// How far from the centre a direction at angle theta from it is drawn.
double drawnRadius(ProjectionKind kind, double theta)
{
    return kind == ProjectionKind::Stereographic ? 2.0 * std::tan(theta / 2.0)
                                                 : 2.0 * std::sqrt(2.0) * std::sin(theta / 2.0);
}

} // namespace

CurvePath GreatCircleCurve(const Frame& frame, ProjectionKind kind, const Vector3& normal)
{
    const std::optional<Vector3> n = unit(normal);
    if (!n)
        return {};
    const SphereCircle c = circleAbout(*n, 0.0, 1.0);
    // Its point nearest the centre lies asin |n0| from it.
    const double nearest = frame.scale * drawnRadius(kind, std::asin(std::fabs((*n)[0])));
    if (c.e1[0] > 0.0 && nearest <= CurveTolerance) {
        CurvePath diameter;
        diameter.start = traced(frame, kind, c, -pi / 2.0).at;
        diameter.pieces.push_back({ PathPiece::Kind::Line, traced(frame, kind, c, pi / 2.0).at, {},
            {}, {}, 0.0, 0.0, 0.0 });
        return diameter;
    }
    return visiblePart(frame, kind, c);
}

CurvePath SmallCircleCurve(
    const Frame& frame, ProjectionKind kind, const Vector3& axis, double angularRadius)
{
    const std::optional<Vector3> a = unit(axis);
    if (!a || !(angularRadius > 0.0 && angularRadius < pi))
        return {};
    return visiblePart(
        frame, kind, circleAbout(*a, std::cos(angularRadius), std::sin(angularRadius)));
}

CurvePath GreatArcCurve(
    const Frame& frame, ProjectionKind kind, const Vector3& from, const Vector3& to)
{
    const std::optional<Vector3> a = unit(from);
    const std::optional<Vector3> b = unit(to);
    const std::optional<Vector3> n = a && b ? unit(Cross(*a, *b)) : std::nullopt;
    if (!n)
        return {};
    const SphereCircle c = circleAbout(*n, 0.0, 1.0);
    // The parameter grows clockwise about the normal, from b back to a.
    const double length = std::atan2(Norm(Cross(*a, *b)), Dot(*a, *b));
    double s1 = std::atan2(Dot(*a, c.e2), Dot(*a, c.e1));
    double s0 = s1 - length;
    const double turns = std::round((s0 + s1) / (4.0 * pi));
    s0 -= 2.0 * pi * turns;
    s1 -= 2.0 * pi * turns;
    // An arc shorter than a half turn meets the visible half once at most;
    // one along the primitive is seen all along.
    if (const double half = *visibleHalfSpan(c); half < pi) {
        s0 = std::max(s0, -half);
        s1 = std::min(s1, half);
    }
    if (!(s0 < s1))
        return {};
    return drawn(frame, kind, c, s0, s1, false);
}
