#include "scene/Crystal.h"

#include "projection/Facing.h"

#include <algorithm>
#include <cmath>

namespace {

// Whether the whole numbers point where v does. An index that is small
// only next to the others need not be small along a much longer axis.
bool SameDirection(const Lattice& lattice, const Vector3& whole, const Vector3& v)
{
    const Vector3 a = Normalised(lattice.direction(whole));
    const Vector3 b = Normalised(lattice.direction(v));
    return Dot(a, b) > 0.0 && Norm(Cross(a, b)) < 1e-9;
}

// Small whole numbers where the direction is one, else scaled to a
// largest index of 1, so that dialogs and files show [1 1 0], not
// [0.7071 0.7071 0].
Vector3 Nice(const Lattice& lattice, const Vector3& v)
{
    const double largest = std::max({ std::fabs(v[0]), std::fabs(v[1]), std::fabs(v[2]) });
    if (!(largest > 0.0) || !std::isfinite(largest))
        return v;
    const Vector3 unit = Scaled(v, 1.0 / largest);
    for (int n = 1; n <= 12; ++n) {
        const Vector3 scaled = Scaled(unit, n);
        bool whole = true;
        for (double x : scaled)
            whole = whole && std::fabs(x - std::round(x)) < 1e-9 * n;
        const Vector3 rounded { std::round(scaled[0]) + 0.0, std::round(scaled[1]) + 0.0,
            std::round(scaled[2]) + 0.0 };
        if (whole && SameDirection(lattice, rounded, unit))
            return rounded;
    }
    return unit;
}

} // namespace

std::variant<Crystal, QString> Crystal::Make(LatticeSystem system,
    const LatticeParameters& parameters, const Vector3& centre, const std::optional<Vector3>& up,
    const NetOptions& net, const std::optional<SpaceGroup>& group)
{
    std::variant<Lattice, QString> made = Lattice::Make(system, parameters);
    if (const QString* why = std::get_if<QString>(&made))
        return *why;
    Crystal crystal;
    crystal.lattice = std::get<Lattice>(std::move(made));
    crystal.group = group.value_or(SpaceGroup::Holohedry(system));
    if (const QString why = crystal.group.misfit(system); !why.isEmpty())
        return why;
    if (!(Norm(centre) > 0.0) || !std::isfinite(Norm(centre)))
        return FreeViewMessages::CentreZero;
    const std::optional<CrystalOrientation> turn = CrystalOrientation::FromCentreUp(
        crystal.lattice, centre, up ? *up : DefaultUp(crystal.lattice, centre));
    if (!turn)
        return FreeViewMessages::UpAlongCentre;
    crystal.orientation.zeroTilt = *turn;
    crystal.net = net;
    return crystal;
}

Vector3 Crystal::centre() const
{
    return Nice(lattice, orientation.drawn().centre(lattice));
}

Vector3 Crystal::up() const
{
    return Nice(lattice, orientation.drawn().up(lattice));
}
