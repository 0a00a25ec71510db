#include "projection/Facing.h"

#include <algorithm>
#include <cmath>

namespace {

// The Cartesian vector of direct-lattice indices scaled to a largest of 1:
// only their direction counts, and tiny or huge indices would underflow or
// overflow once squared for the length. Zero for (0 0 0) or a non-finite index.
Vector3 DirectionOf(const Lattice& lattice, const Vector3& indices)
{
    const double largest
        = std::max({ std::fabs(indices[0]), std::fabs(indices[1]), std::fabs(indices[2]) });
    if (!(largest > 0.0) || !std::isfinite(largest))
        return {};
    return lattice.direction({ indices[0] / largest, indices[1] / largest, indices[2] / largest });
}

} // namespace

std::optional<Rotation> Orientation(
    const Lattice& lattice, const Vector3& centre, const Vector3& up)
{
    const Vector3 c = DirectionOf(lattice, centre);
    const Vector3 u = DirectionOf(lattice, up);
    const double nc = Norm(c);
    const double nu = Norm(u);
    if (!std::isfinite(nc) || !std::isfinite(nu) || !(nc > 0.0) || !(nu > 0.0))
        return std::nullopt;
    const Vector3 toViewer = Scaled(c, 1.0 / nc);
    const Vector3 across = Difference(u, Scaled(toViewer, Dot(toViewer, u)));
    // Up within a thousandth of a degree of the centre leaves no turn defined.
    if (!(Norm(across) > 1e-8 * nu))
        return std::nullopt;
    const Vector3 upward = Normalised(across);
    return Rotation::FromRows(toViewer, Cross(upward, toViewer), upward);
}
