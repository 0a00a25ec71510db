// Orientations from any numbers at all (NaN, infinities, denormals, huge,
// negative): Euler angles, typed or read, centre and up, two measured
// poles, holder tilts and their limits with a crystal held at them, a typed
// relationship and a twin. Input: the system (a
// byte, modulo 7), then six doubles of the cell (a cell that makes no
// lattice falls back to the system's unit cell), three Euler angles, centre
// and up (six), the two poles' kinds (a byte) and indices (six 16-bit
// numbers) and places (four doubles), a tilt and its limits (four), a
// sample direction (three), then the relationship's four index triples
// (twelve 16-bit numbers), all in the machine's byte order. Missing bytes
// are zero.

#include "FuzzCheck.h"

#include "crystal/LowIndex.h"
#include "orientation/HeldOrientation.h"
#include "orientation/Relationship.h"
#include "orientation/TwoPoles.h"
#include "orientation/ZoneAxes.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

class Reader
{
public:
    Reader(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    template <typename T> T next()
    {
        T value {};
        const size_t n = std::min(sizeof value, m_size - m_at);
        std::memcpy(&value, m_data + m_at, n);
        m_at += n;
        return value;
    }
    Vector3 vector() { return { next<double>(), next<double>(), next<double>() }; }
    Index3 index() { return { next<int16_t>(), next<int16_t>(), next<int16_t>() }; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

bool near(const Vector3& a, const Vector3& b, double within)
{
    return Norm(Difference(a, b)) < within;
}

void CheckOrientation(const CrystalOrientation& g)
{
    FUZZ_CHECK(IsProperRotation(g.matrix()));
    const EulerAngles e = g.euler();
    FUZZ_CHECK(
        e.phi1 >= 0 && e.phi1 < 360 && e.Phi >= 0 && e.Phi <= 180 && e.phi2 >= 0 && e.phi2 < 360);
    // The angles shown make the same orientation again.
    FUZZ_CHECK(MaxDifference(CrystalOrientation::FromEuler(e)->matrix(), g.matrix()) < 1e-9);
    FUZZ_CHECK(MaxDifference(CrystalOrientation::FromProjector(g.projector()).matrix(), g.matrix())
        < 1e-12);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Reader in(data, size);
    const auto system = static_cast<LatticeSystem>(in.next<uint8_t>() % 7);
    const Vector3 lengths = in.vector(), angles = in.vector();
    const auto made = Lattice::Make(
        system, { lengths[0], lengths[1], lengths[2], angles[0], angles[1], angles[2] });
    const Lattice lattice = std::holds_alternative<Lattice>(made)
        ? std::get<Lattice>(made)
        : std::get<Lattice>(Lattice::Make(system, { 1, 1, 1, 90, 90, 120 }));

    const Vector3 e = in.vector();
    const std::optional<CrystalOrientation> euler
        = CrystalOrientation::FromEuler({ e[0], e[1], e[2] });
    FUZZ_CHECK(
        euler.has_value() == (std::isfinite(e[0]) && std::isfinite(e[1]) && std::isfinite(e[2])));
    if (euler)
        CheckOrientation(*euler);
    // Typed or read, the angles are taken exactly when they are in range.
    const bool inRange
        = euler && e[1] >= 0 && e[1] <= 180 && std::fabs(e[0]) <= 360 && std::fabs(e[2]) <= 360;
    const auto checked = CheckedEuler({ e[0], e[1], e[2] });
    FUZZ_CHECK(std::holds_alternative<CrystalOrientation>(checked) == inRange);
    if (!inRange)
        FUZZ_CHECK(!std::get<QString>(checked).isEmpty());

    const Vector3 centre = in.vector(), up = in.vector();
    if (const auto g = CrystalOrientation::FromCentreUp(lattice, centre, up)) {
        CheckOrientation(*g);
        const auto again
            = CrystalOrientation::FromCentreUp(lattice, g->centre(lattice), g->up(lattice));
        FUZZ_CHECK(again && MaxDifference(again->matrix(), g->matrix()) < 1e-9);
    }
    if (const auto chosen = LowIndexUp(lattice, centre)) {
        const Vector3 c = *UnitVectorOf(lattice, IndexKind::Direction, centre);
        const auto u = UnitVectorOf(lattice, IndexKind::Direction, chosen->indices);
        FUZZ_CHECK(u && std::fabs(Dot(*u, c)) < 1e-9);
    }
    if (const auto form = NearestLowIndex(lattice, IndexKind::Plane, centre, 4))
        FUZZ_CHECK(form->deviation >= 0 && form->deviation <= 180);

    const uint8_t kinds = in.next<uint8_t>();
    MeasuredPole first { kinds & 1 ? IndexKind::Direction : IndexKind::Plane, in.index(), {} };
    MeasuredPole second { kinds & 2 ? IndexKind::Direction : IndexKind::Plane, in.index(), {} };
    first.place = { in.next<double>(), in.next<double>() };
    second.place = { in.next<double>(), in.next<double>() };
    const auto solved = OrientationFromTwoPoles(lattice, first, second);
    if (const auto* found = std::get_if<TwoPoleOrientation>(&solved)) {
        CheckOrientation(found->orientation);
        FUZZ_CHECK(std::fabs(found->misfit) <= MaxMisfitDegrees + 1e-9);
        const Vector3 c1 = *UnitVectorOf(lattice, first.kind, first.index);
        FUZZ_CHECK(near(found->orientation.toSample(c1), SampleVector(first.place), 1e-9));
        // The second lies in the plane of the two places, on its side.
        const Vector3 s1 = SampleVector(first.place), s2 = SampleVector(second.place);
        const Vector3 c2
            = found->orientation.toSample(*UnitVectorOf(lattice, second.kind, second.index));
        const Vector3 normal = Normalised(Cross(s1, s2));
        FUZZ_CHECK(std::fabs(Dot(c2, normal)) < 1e-9);
        FUZZ_CHECK(Dot(Cross(s1, c2), normal) > 0);
    } else {
        FUZZ_CHECK(!std::get<QString>(solved).isEmpty());
    }

    const double alpha = in.next<double>(), beta = in.next<double>();
    const double alphaLimit = in.next<double>(), betaLimit = in.next<double>();
    const auto limits = TiltLimits::Make(alphaLimit, betaLimit);
    if (const auto* reach = std::get_if<TiltLimits>(&limits)) {
        const auto tilt = CheckedTilt(alpha, beta, *reach);
        if (const auto* t = std::get_if<HolderTilt>(&tilt)) {
            FUZZ_CHECK(WithinReach(*t, *reach));
            const std::optional<CrystalOrientation> tilted
                = Tilted(euler.value_or(CrystalOrientation {}), *t);
            FUZZ_CHECK(tilted.has_value());
            CheckOrientation(*tilted);
            for (const ZoneAxis& zone :
                NearestZoneAxes(lattice, euler.value_or(CrystalOrientation {}), *t, *reach, 2)) {
                FUZZ_CHECK(zone.angle >= 0 && zone.angle <= 90 + 1e-9);
                FUZZ_CHECK(zone.withinReach == WithinReach(zone.tilt, *reach));
            }
        }
    }
    const Vector3 d = in.vector();
    if (const auto* reach = std::get_if<TiltLimits>(&limits)) {
        // A crystal held at a tilt: turned as drawn it keeps g0 from the
        // drawing, and the tilts to any of its directions bring it to the
        // centre.
        const auto tilt = CheckedTilt(alpha, beta, *reach);
        if (const auto* t = std::get_if<HolderTilt>(&tilt)) {
            const HeldOrientation held { euler.value_or(CrystalOrientation {}), *t, *reach };
            FUZZ_CHECK(MaxDifference(
                           held.withDrawn(held.drawn()).zeroTilt.matrix(), held.zeroTilt.matrix())
                < 1e-12);
            if (const auto to = held.tiltsTo(d)) {
                // Divided, not multiplied by the inverse, which a denormal
                // largest component would make infinite.
                const double largest
                    = std::max({ std::fabs(d[0]), std::fabs(d[1]), std::fabs(d[2]) });
                const Vector3 v = Normalised({ d[0] / largest, d[1] / largest, d[2] / largest });
                FUZZ_CHECK(near(held.tiltedTo(*to).drawn().toSample(v), { 0, 0, 1 }, 1e-9));
            }
        }
    }
    if (const auto t = TiltsToCentre(d)) {
        // d divided by its largest component, so that its length is finite.
        const double largest = std::max({ std::fabs(d[0]), std::fabs(d[1]), std::fabs(d[2]) });
        const Vector3 v { d[0] / largest, d[1] / largest, d[2] / largest };
        const auto tilted = Tilted({}, *t);
        FUZZ_CHECK(tilted && near(tilted->toSample(v), { 0, 0, Norm(v) }, 1e-9));
    }

    const RelationshipDefinition definition { in.index(), in.index(), in.index(), in.index() };
    const auto turn = RelationshipTurn(lattice, lattice, definition);
    if (const auto* t = std::get_if<Matrix3>(&turn)) {
        FUZZ_CHECK(IsProperRotation(*t));
        const Vector3 np = *UnitVectorOf(lattice, IndexKind::Plane, definition.parentPlane);
        const Vector3 nc = *UnitVectorOf(lattice, IndexKind::Plane, definition.childPlane);
        FUZZ_CHECK(near(*t * np, nc, 1e-9));
    }
    const auto twin = TwinInPlane(lattice, definition.parentPlane);
    if (const auto* t = std::get_if<Matrix3>(&twin))
        FUZZ_CHECK(IsProperRotation(*t) && MaxDifference(*t * *t, Matrix3 {}) < 1e-12);
    return 0;
}
