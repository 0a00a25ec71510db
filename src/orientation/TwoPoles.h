#pragma once

#include "crystal/Notation.h"
#include "orientation/CrystalOrientation.h"

#include <QString>
#include <variant>

// A place in the sample frame as an instrument measures it: the polar angle
// from Z (the centre), 0 to 180 degrees, and the azimuth from X toward Y.
struct SamplePlace
{
    double polar = 0.0;
    double azimuth = 0.0;
};

Vector3 SampleVector(const SamplePlace& place);
// The place of a sample vector, the azimuth in [0, 360) (0 at the centre
// and at its opposite).
SamplePlace PlaceOf(const Vector3& sample);

// A plane normal or a direction of the crystal, and where it was measured.
struct MeasuredPole
{
    IndexKind kind = IndexKind::Plane;
    Index3 index {};
    SamplePlace place;
};

// The orientation that puts the first pole exactly at its place and the
// second in the plane of the two measured places, on the side of the second.
struct TwoPoleOrientation
{
    CrystalOrientation orientation;
    // The angle between the two measured places minus the crystal's angle
    // between the two poles, in degrees.
    double misfit = 0.0;
};

inline constexpr double MaxMisfitDegrees = 5.0;

// Refused, with the reason, when an index is (0 0 0), a place is no place,
// the two poles are parallel or opposite in the crystal, the two places
// coincide or are opposite, or the misfit is over MaxMisfitDegrees.
std::variant<TwoPoleOrientation, QString> OrientationFromTwoPoles(
    const Lattice& lattice, const MeasuredPole& first, const MeasuredPole& second);

namespace TwoPoleMessages {
inline const QString FirstZero = QStringLiteral("1つ目の極の指数がすべて 0 です");
inline const QString SecondZero = QStringLiteral("2つ目の極の指数がすべて 0 です");
inline const QString PlaceOutOfRange
    = QStringLiteral("測定位置の極角は 0° から 180° まで、方位角は有限の数にしてください");
inline const QString PolesParallel
    = QStringLiteral("2つの極が結晶の中で平行です（同じ向きか逆向き）");
inline const QString PlacesParallel = QStringLiteral("2つの測定位置が同じか正反対です");
// %1: the misfit, signed, three decimals.
inline const QString MisfitTooLarge
    = QStringLiteral("測定位置の間の角と結晶の中の角が %1° 違います（5° までにしてください）");
} // namespace TwoPoleMessages
