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

std::array<double, 3> AnglesOf(const Lattice& lattice, const Entry& entry)
{
    const Vector3 v = EntryVector(lattice, entry);
    const std::array<Index3, 3>& references = ReferencesOf(lattice.system()).planes;
    return { AngleBetween(v, lattice.planeNormal(AsVector(references[0]))),
        AngleBetween(v, lattice.planeNormal(AsVector(references[1]))),
        AngleBetween(v, lattice.planeNormal(AsVector(references[2]))) };
}
