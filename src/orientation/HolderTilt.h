#pragma once

#include "orientation/CrystalOrientation.h"

#include <QString>
#include <optional>
#include <variant>

// A double-tilt holder: alpha turns about the sample X axis, beta about the
// holder's own Y axis carried by alpha, both right-handed, in degrees:
// T(alpha, beta) = R_X(alpha) R_Y(beta) acting on sample coordinates. The
// crystal drawn at a tilt is g = g0 T^T, g0 its orientation at zero tilt.
struct HolderTilt
{
    double alpha = 0.0;
    double beta = 0.0;
    bool operator==(const HolderTilt&) const = default;
};

// How far the holder reaches: |alpha| <= alpha, |beta| <= beta.
struct TiltLimits
{
    double alpha = 30.0;
    double beta = 30.0;
    bool operator==(const TiltLimits&) const = default;

    // Each from 0 to 90 degrees, else the reason.
    static std::variant<TiltLimits, QString> Make(double alpha, double beta);
};

Matrix3 TiltMatrix(const HolderTilt& tilt);
// The crystal as drawn at a tilt, and back: g = g0 T^T, g0 = g T. None for
// a non-finite tilt.
std::optional<CrystalOrientation> Tilted(
    const CrystalOrientation& zeroTilt, const HolderTilt& tilt);
std::optional<CrystalOrientation> ZeroTilt(
    const CrystalOrientation& tilted, const HolderTilt& tilt);

// The tilts that bring what lies at sample direction d at zero tilt to the
// centre: alpha = asin(d_Y), beta = atan2(-d_X, d_Z), d of any length. A
// direction pointing away from the viewer needs |beta| over 90. None for a
// zero or non-finite d.
std::optional<HolderTilt> TiltsToCentre(const Vector3& d);
// Within the limits, give or take rounding.
bool WithinReach(const HolderTilt& tilt, const TiltLimits& limits);
// A tilt typed or read from a file: finite and within the limits, else the
// reason.
std::variant<HolderTilt, QString> CheckedTilt(double alpha, double beta, const TiltLimits& limits);

// A signed angle as the readouts write it: three decimals, a true minus
// sign, "0.000" rather than "−0.000".
QString SignedAngleText(double degrees);
// "α 20.000° β −3.500°".
QString TiltText(const HolderTilt& tilt);
// The tilts that reach something, or OutOfReach when the holder cannot.
QString TiltReadout(const HolderTilt& tilt, const TiltLimits& limits);
// Why the holder cannot bring what (a zone axis, a pole) to the centre:
// the tilts it would take and the limits.
QString OutOfReachMessage(const QString& what, const HolderTilt& tilt, const TiltLimits& limits);

namespace TiltMessages {
// Beside a pole or a zone axis the holder cannot reach.
inline const QString OutOfReach = QStringLiteral("傾斜範囲外");
inline const QString LimitsOutOfRange
    = QStringLiteral("傾斜の限界 α, β は 0° から 90° までの数にしてください");
inline const QString NotFinite = QStringLiteral("傾斜 α, β は有限の数にしてください");
// %1: the limit.
inline const QString AlphaBeyondLimit
    = QStringLiteral("傾斜 α は −%1° から %1° までにしてください");
inline const QString BetaBeyondLimit = QStringLiteral("傾斜 β は −%1° から %1° までにしてください");
// %1: what, %2: the tilts, %3 and %4: the limits.
inline const QString CannotReach
    = QStringLiteral("%1は傾斜範囲外です（%2 が必要ですが、傾斜の限界は α ±%3°、β ±%4° です）");
} // namespace TiltMessages
