#include "orientation/TwoPoles.h"

#include "crystal/LowIndex.h"
#include "geometry/Geometry.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Degree = std::numbers::pi / 180.0;
// Sines of angles this small (0.2 seconds of arc) are no angle: far below
// any measurement, and far enough above rounding that the plane of the two
// is still exact to 1e-10.
constexpr double Parallel = 1e-6;

bool validPlace(const SamplePlace& p)
{
    return p.polar >= 0.0 && p.polar <= 180.0 && std::isfinite(p.azimuth);
}

// The right-handed frame of the first vector, the normal of the plane of
// both, and the third, as the columns of a matrix.
Matrix3 frameOf(const Vector3& first, const Vector3& second)
{
    const Vector3 normal = Normalised(Cross(first, second));
    return Matrix3::FromColumns(first, normal, Cross(first, normal));
}

} // namespace

Vector3 SampleVector(const SamplePlace& place)
{
    const Matrix3 turn = TurnAboutZ(place.azimuth) * TurnAboutY(place.polar);
    return turn.column(2);
}

SamplePlace PlaceOf(const Vector3& sample)
{
    const double across = std::hypot(sample[0], sample[1]);
    const double polar = std::atan2(across, sample[2]) / Degree;
    double azimuth = std::atan2(sample[1], sample[0]) / Degree;
    if (azimuth < 0.0)
        azimuth += 360.0;
    return { polar, azimuth >= 360.0 ? 0.0 : azimuth + 0.0 };
}

std::variant<TwoPoleOrientation, QString> OrientationFromTwoPoles(
    const Lattice& lattice, const MeasuredPole& first, const MeasuredPole& second)
{
    const std::optional<Vector3> c1 = UnitVectorOf(lattice, first.kind, first.index);
    if (!c1)
        return TwoPoleMessages::FirstZero;
    const std::optional<Vector3> c2 = UnitVectorOf(lattice, second.kind, second.index);
    if (!c2)
        return TwoPoleMessages::SecondZero;
    if (!validPlace(first.place) || !validPlace(second.place))
        return TwoPoleMessages::PlaceOutOfRange;
    if (!(Norm(Cross(*c1, *c2)) > Parallel))
        return TwoPoleMessages::PolesParallel;
    const Vector3 s1 = SampleVector(first.place);
    const Vector3 s2 = SampleVector(second.place);
    if (!(Norm(Cross(s1, s2)) > Parallel))
        return TwoPoleMessages::PlacesParallel;

    const double misfit = AngleBetween(s1, s2) - AngleBetween(*c1, *c2);
    // Exactly 5 degrees is accepted, whatever the last digits of its sum.
    if (!(std::fabs(misfit) <= MaxMisfitDegrees + 1e-9))
        return TwoPoleMessages::MisfitTooLarge.arg(misfit, 0, 'f', 3);
    // g takes the sample's frame of the two places onto the crystal's frame
    // of the two poles: g = E F^T.
    const Matrix3 g = frameOf(*c1, *c2) * frameOf(s1, s2).transposed();
    return TwoPoleOrientation { *CrystalOrientation::FromMatrix(g), misfit };
}
