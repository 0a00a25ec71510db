#include "projection/Projector.h"

#include <cmath>

namespace {

// Pixel centres on an edge of the standard region must count as inside;
// rounding would otherwise drop half of them.
constexpr double EdgeTolerance = 1e-9;

Vector3 AsVector(const Index3& index)
{
    return { double(index[0]), double(index[1]), double(index[2]) };
}

} // namespace

Projector::Projector(
    const Lattice& lattice, const Rotation& orientation, Region region, Frame frame)
    : m_lattice(lattice)
    , m_orientation(orientation)
    , m_region(region)
    , m_frame(frame)
{
    m_planes = orientation.matrix() * lattice.reciprocalBasis();
    m_directions = orientation.matrix() * lattice.directBasis();
}

Vector3 Projector::planeNormal(const Index3& hkl) const
{
    return UnitVector(m_planes * AsVector(hkl));
}

Vector3 Projector::direction(const Index3& uvw) const
{
    return UnitVector(m_directions * AsVector(uvw));
}

TwipsPoint Projector::toPicture(const Vector3& v) const
{
    return m_frame.toTwips(Project(m_frame.kind, v));
}

TwipsPoint Projector::planePole(const Index3& hkl) const
{
    const Vector3 n = planeNormal(hkl);
    // A plane is a line through the origin: its pole is whichever end of
    // the normal faces the viewer.
    return toPicture(n[0] < -RimTolerance ? Vector3 { -n[0], -n[1], -n[2] } : n);
}

TwipsPoint Projector::directionPoint(const Index3& uvw, bool* away) const
{
    const Vector3 d = direction(uvw);
    if (away)
        *away = d[0] < -RimTolerance;
    return toPicture(d);
}

std::optional<Vector3> Projector::fromPicture(TwipsPoint t) const
{
    const ProjectedPoint p = m_frame.fromTwips(t);
    if (!(p.x * p.x + p.y * p.y <= 4.0))
        return std::nullopt;
    const Vector3 w = Unproject(m_frame.kind, p);
    // The rim itself may come back a rounding behind the viewer.
    const Vector3 d { std::fabs(w[0]), w[1], w[2] };
    if (!inRegion(d))
        return std::nullopt;
    return d;
}

Vector3 Projector::unproject(TwipsPoint t) const
{
    return Unproject(m_frame.kind, m_frame.fromTwips(t));
}

bool Projector::inRegion(const Vector3& d) const
{
    switch (m_region) {
    case Region::CubicTriangle:
        // (100)-(110)-(111): d0 >= d1 >= d2 >= 0.
        return d[2] >= -EdgeTolerance && d[2] <= d[1] + EdgeTolerance
            && d[1] <= d[0] + EdgeTolerance;
    case Region::HexSector:
        // Azimuths from 0 to 30 degrees.
        return d[2] >= -EdgeTolerance && d[2] * std::sqrt(3.0) <= d[1] + EdgeTolerance;
    case Region::Full:
        break;
    }
    return true;
}
