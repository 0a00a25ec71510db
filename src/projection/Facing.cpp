#include "projection/Facing.h"

#include "crystal/Notation.h"
#include "orientation/CrystalOrientation.h"

std::optional<Rotation> Orientation(
    const Lattice& lattice, const Vector3& centre, const Vector3& up)
{
    const std::optional<CrystalOrientation> g
        = CrystalOrientation::FromCentreUp(lattice, centre, up);
    if (!g)
        return std::nullopt;
    return g->projector();
}
