#include "orientation/HolderTilt.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double Degree = std::numbers::pi / 180.0;
// A tilt computed to reach a limit may land a few units in the last place
// beyond it.
constexpr double Slack = 1e-9;

QString limitText(double degrees)
{
    return QString::number(degrees, 'g', 15);
}

} // namespace

std::variant<TiltLimits, QString> TiltLimits::Make(double alpha, double beta)
{
    for (double limit : { alpha, beta })
        if (!(limit >= 0.0 && limit <= 90.0))
            return TiltMessages::LimitsOutOfRange;
    return TiltLimits { alpha, beta };
}

Matrix3 TiltMatrix(const HolderTilt& tilt)
{
    return TurnAboutX(tilt.alpha) * TurnAboutY(tilt.beta);
}

std::optional<CrystalOrientation> Tilted(const CrystalOrientation& zeroTilt, const HolderTilt& tilt)
{
    return CrystalOrientation::FromMatrix(zeroTilt.matrix() * TiltMatrix(tilt).transposed());
}

std::optional<CrystalOrientation> ZeroTilt(const CrystalOrientation& tilted, const HolderTilt& tilt)
{
    return CrystalOrientation::FromMatrix(tilted.matrix() * TiltMatrix(tilt));
}

std::optional<HolderTilt> TiltsToCentre(const Vector3& d)
{
    for (double x : d)
        if (!std::isfinite(x))
            return std::nullopt;
    const double largest = std::max({ std::fabs(d[0]), std::fabs(d[1]), std::fabs(d[2]) });
    if (!(largest > 0.0))
        return std::nullopt;
    // Divided by the largest, so that a denormal d keeps all its digits in
    // the length below.
    const Vector3 v { d[0] / largest, d[1] / largest, d[2] / largest };
    // asin(d_Y) of the unit vector, read as an arctangent: asin loses half
    // the digits next to +-90 degrees.
    return HolderTilt { std::atan2(v[1], std::hypot(v[0], v[2])) / Degree,
        // Plus zero, so that straight away from the viewer is +180, not -180.
        std::atan2(-v[0] + 0.0, v[2]) / Degree };
}

bool WithinReach(const HolderTilt& tilt, const TiltLimits& limits)
{
    return std::fabs(tilt.alpha) <= limits.alpha + Slack
        && std::fabs(tilt.beta) <= limits.beta + Slack;
}

std::variant<HolderTilt, QString> CheckedTilt(double alpha, double beta, const TiltLimits& limits)
{
    if (!std::isfinite(alpha) || !std::isfinite(beta))
        return TiltMessages::NotFinite;
    if (!(std::fabs(alpha) <= limits.alpha + Slack))
        return TiltMessages::AlphaBeyondLimit.arg(limitText(limits.alpha));
    if (!(std::fabs(beta) <= limits.beta + Slack))
        return TiltMessages::BetaBeyondLimit.arg(limitText(limits.beta));
    return HolderTilt { alpha, beta };
}

QString SignedAngleText(double degrees)
{
    const QString text = QString::number(std::fabs(degrees), 'f', 3);
    const bool negative = degrees < 0.0 && text != QLatin1String("0.000");
    return (negative ? QStringLiteral("−") : QString()) + text + QStringLiteral("°");
}

QString TiltText(const HolderTilt& tilt)
{
    return QStringLiteral("α %1 β %2").arg(SignedAngleText(tilt.alpha), SignedAngleText(tilt.beta));
}

QString TiltReadout(const HolderTilt& tilt, const TiltLimits& limits)
{
    return WithinReach(tilt, limits) ? TiltText(tilt) : TiltMessages::OutOfReach;
}

QString OutOfReachMessage(const QString& what, const HolderTilt& tilt, const TiltLimits& limits)
{
    return TiltMessages::CannotReach.arg(
        what, TiltText(tilt), limitText(limits.alpha), limitText(limits.beta));
}
