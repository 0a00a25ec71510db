#include "scene/Crystal.h"

#include "crystal/LowIndex.h"
#include "projection/Facing.h"

#include <QLocale>
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

// The largest index a centre or up may have: beyond it the direction is
// refused rather than scaled.
constexpr double MaxDirectionIndex = 1e300;

// The direction as its numbers were given, for a message.
QString Typed(const Vector3& v)
{
    const auto number
        = [](double x) { return QString::number(x, 'g', QLocale::FloatingPointShortest); };
    return QStringLiteral("[%1 %2 %3]").arg(number(v[0]), number(v[1]), number(v[2]));
}

// Why a centre or up cannot be used, naming it as given; empty when it can.
QString Unusable(const Vector3& v, const QString& unusable, const QString& tooLarge)
{
    if (std::any_of(v.begin(), v.end(), [](double x) { return std::isnan(x); }))
        return unusable.arg(Typed(v));
    const double largest = std::max({ std::fabs(v[0]), std::fabs(v[1]), std::fabs(v[2]) });
    if (largest == 0.0)
        return unusable.arg(QStringLiteral("[0 0 0]"));
    if (!(largest <= MaxDirectionIndex))
        return tooLarge.arg(Typed(v));
    return {};
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
    if (QString why
        = Unusable(centre, FreeViewMessages::CentreUnusable, FreeViewMessages::CentreTooLarge);
        !why.isEmpty())
        return why;
    if (up) {
        if (QString why = Unusable(*up, FreeViewMessages::UpUnusable, FreeViewMessages::UpTooLarge);
            !why.isEmpty())
            return why;
    }
    // This is the one place where an up left empty becomes the default.
    const std::optional<UpDirection> fallback
        = up ? std::nullopt : LowIndexUp(crystal.lattice, centre);
    const std::optional<CrystalOrientation> turn
        = CrystalOrientation::FromCentreUp(crystal.lattice, centre,
            up             ? *up
                : fallback ? fallback->indices
                           : Vector3 {});
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
