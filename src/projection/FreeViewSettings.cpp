#include "projection/FreeViewSettings.h"

#include <algorithm>
#include <cmath>

namespace {

// Small whole numbers where the direction is one, else scaled to a
// largest index of 1, so that dialogs and files show [1 1 0], not
// [0.7071 0.7071 0]. Whole numbers only where they leave the direction
// where it was: in a very flat or very long cell a tiny index can stand
// for a large angle, and rounding it off would lose the orientation.
Vector3 nice(const Lattice& lattice, const Vector3& v)
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
        if (!whole)
            continue;
        const Vector3 rounded { std::round(scaled[0]) + 0.0, std::round(scaled[1]) + 0.0,
            std::round(scaled[2]) + 0.0 };
        const Vector3 exact = Normalised(lattice.direction(unit));
        const Vector3 near = Normalised(lattice.direction(rounded));
        return Norm(Cross(exact, near)) < 1e-9 && Dot(exact, near) > 0.0 ? rounded : unit;
    }
    return unit;
}

} // namespace

std::variant<FreeViewSettings, QString> FreeViewSettings::Make(LatticeSystem system,
    const LatticeParameters& parameters, const Vector3& centre, const Vector3& up,
    const NetOptions& net)
{
    const std::variant<Lattice, QString> made = Lattice::Make(system, parameters);
    if (const QString* why = std::get_if<QString>(&made))
        return *why;
    const Lattice& lattice = std::get<Lattice>(made);
    if (!(Norm(centre) > 0.0) || !std::isfinite(Norm(centre)))
        return FreeViewMessages::CentreZero;
    const std::optional<Rotation> turn = Orientation(lattice, centre, up);
    if (!turn)
        return FreeViewMessages::UpAlongCentre;
    FreeViewSettings settings;
    settings.system = system;
    settings.parameters = lattice.parameters();
    settings.orientation = *turn;
    settings.net = net;
    return settings;
}

Vector3 FreeViewSettings::centre() const
{
    const auto made = lattice();
    if (!std::holds_alternative<Lattice>(made))
        return { 0, 0, 1 };
    const Lattice& lattice = std::get<Lattice>(made);
    return nice(lattice, lattice.directionIndices(orientation.inverse() * Vector3 { 1, 0, 0 }));
}

Vector3 FreeViewSettings::up() const
{
    const auto made = lattice();
    if (!std::holds_alternative<Lattice>(made))
        return { 0, 1, 0 };
    const Lattice& lattice = std::get<Lattice>(made);
    return nice(lattice, lattice.directionIndices(orientation.inverse() * Vector3 { 0, 0, 1 }));
}

std::optional<View> FreeViewSettings::view() const
{
    const auto made = lattice();
    if (!std::holds_alternative<Lattice>(made))
        return std::nullopt;
    return FreeView(std::get<Lattice>(made), orientation, net);
}
