#include "poles/EntryGeometry.h"

namespace {

Vector3 asVector(const Index3& index)
{
    return { double(index[0]), double(index[1]), double(index[2]) };
}

} // namespace

Placement Place(const View& view, const Entry& entry)
{
    if (entry.kind == IndexKind::Plane)
        return { view.projector.planePole(entry.index), false };
    Placement placement;
    placement.at = view.projector.directionPoint(entry.index, &placement.away);
    return placement;
}

Vector3 EntryVector(const Lattice& lattice, const Entry& entry)
{
    return entry.kind == IndexKind::Plane ? lattice.planeNormal(asVector(entry.index))
                                          : lattice.direction(asVector(entry.index));
}

std::array<double, 3> AnglesOf(const View& view, const Entry& entry)
{
    const Lattice& lattice = view.lattice();
    const Vector3 v = EntryVector(lattice, entry);
    const std::array<Index3, 3>& references = view.references().planes;
    return { AngleBetween(v, lattice.planeNormal(asVector(references[0]))),
        AngleBetween(v, lattice.planeNormal(asVector(references[1]))),
        AngleBetween(v, lattice.planeNormal(asVector(references[2]))) };
}
