#include "poles/EntryGeometry.h"

#include "crystal/ReferencePlanes.h"

namespace {

Vector3 AsVector(const Index3& index)
{
    return { double(index[0]), double(index[1]), double(index[2]) };
}

} // namespace

Placement Place(const Projector& projector, const Entry& entry)
{
    if (entry.kind == IndexKind::Plane)
        return { projector.planePole(entry.index), false };
    Placement placement;
    placement.at = projector.directionPoint(entry.index, &placement.away);
    return placement;
}

Vector3 EntryVector(const Lattice& lattice, const Entry& entry)
{
    return entry.kind == IndexKind::Plane ? lattice.planeNormal(AsVector(entry.index))
                                          : lattice.direction(AsVector(entry.index));
}

double EntryAngle(
    IndexKind a, const Vector3& va, IndexKind b, const Vector3& vb, PlaneAngles planeAngles)
{
    const double angle = AngleBetween(va, vb);
    // A plane has no sense: (h k l) and (-h -k -l) are one plane.
    const bool acute = planeAngles == PlaneAngles::Acute && a == IndexKind::Plane
        && b == IndexKind::Plane && angle > 90.0;
    return acute ? 180.0 - angle : angle;
}

std::array<double, 3> AnglesOf(const Lattice& lattice, const Entry& entry, PlaneAngles planeAngles)
{
    const Vector3 v = EntryVector(lattice, entry);
    const std::array<Index3, 3>& references = ReferencesOf(lattice.system()).planes;
    std::array<double, 3> angles {};
    for (std::size_t k = 0; k < angles.size(); ++k)
        angles[k] = EntryAngle(entry.kind, v, IndexKind::Plane,
            lattice.planeNormal(AsVector(references[k])), planeAngles);
    return angles;
}
