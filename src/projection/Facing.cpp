#include "projection/Facing.h"

#include "crystal/Notation.h"
#include "orientation/CrystalOrientation.h"

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
    const std::optional<CrystalOrientation> g
        = CrystalOrientation::FromCentreUp(lattice, centre, up);
    if (!g)
        return std::nullopt;
    return g->projector();
}

Vector3 DefaultUp(const Lattice& lattice, const Vector3& centre)
{
    const Vector3 c = Normalised(DirectionOf(lattice, centre));
    for (const Vector3& preferred :
        { Vector3 { 0, 0, 1 }, Vector3 { 0, 1, 0 }, Vector3 { 1, 0, 0 } }) {
        const Vector3 p = Normalised(lattice.direction(preferred));
        if (std::fabs(Dot(p, c)) > 1.0 - 1e-9)
            continue;
        const Vector3 wanted = Normalised(Difference(p, Scaled(c, Dot(c, p))));
        // The low-index direction nearest to it that is exactly perpendicular.
        Vector3 best {};
        double bestCos = 1.0 - 1e-9;
        constexpr int Limit = 6;
        for (int u = -Limit; u <= Limit; ++u)
            for (int v = -Limit; v <= Limit; ++v)
                for (int w = -Limit; w <= Limit; ++w) {
                    const Vector3 d = lattice.direction({ double(u), double(v), double(w) });
                    const double n = Norm(d);
                    if (!(n > 0.0) || std::fabs(Dot(d, c)) > 1e-9 * n)
                        continue;
                    const double cosine = Dot(d, wanted) / n;
                    if (cosine > bestCos + 1e-12) {
                        bestCos = cosine;
                        best = { double(u), double(v), double(w) };
                    }
                }
        if (Norm(best) > 0.0) {
            const std::array<int, 3> r = Reduced({ int(best[0]), int(best[1]), int(best[2]) });
            return { double(r[0]), double(r[1]), double(r[2]) };
        }
        return lattice.directionIndices(wanted);
    }
    return { 0, 0, 1 };
}
