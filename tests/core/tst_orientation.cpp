#include "TestCrystals.h"
#include "crystal/LowIndex.h"
#include "orientation/TwoPoles.h"
#include "orientation/ZoneAxes.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(Vector3)
Q_DECLARE_METATYPE(Index3)
Q_DECLARE_METATYPE(EulerAngles)
Q_DECLARE_METATYPE(LatticeSystem)
Q_DECLARE_METATYPE(LatticeParameters)

namespace {

using TestCrystals::Make;

// One cell of each system, none with special angles or ratios beyond its own.
std::vector<Lattice> sevenSystems()
{
    return { Make(LatticeSystem::Cubic, { 3.6149, 0, 0, 0, 0, 0 }),
        Make(LatticeSystem::Tetragonal, { 5.8197, 0, 3.1749, 0, 0, 0 }),
        Make(LatticeSystem::Orthorhombic, { 4.2, 5.1, 6.7, 90, 90, 90 }),
        Make(LatticeSystem::Hexagonal, { 3.209, 0, 5.211, 0, 0, 0 }),
        Make(LatticeSystem::Trigonal, { 4.9, 0, 5.4, 0, 0, 0 }),
        Make(LatticeSystem::Monoclinic, { 5.68, 15.18, 6.29, 90, 114.1, 90 }),
        Make(LatticeSystem::Triclinic, { 5, 6, 7, 81, 97, 103 }) };
}

EulerAngles randomEuler(QRandomGenerator& random)
{
    return { random.bounded(360.0), 0.01 + random.bounded(179.98), random.bounded(360.0) };
}

Vector3 unitDirection(const Lattice& lattice, const Vector3& indices)
{
    return Normalised(lattice.direction(indices));
}

bool near(const Vector3& a, const Vector3& b, double within)
{
    return Norm(Difference(a, b)) < within;
}

bool near(const EulerAngles& a, const EulerAngles& b, double within)
{
    return near(Vector3 { a.phi1, a.Phi, a.phi2 }, Vector3 { b.phi1, b.Phi, b.phi2 }, within);
}

} // namespace

// Orientations as Euler angles, matrices, centre and up, two measured
// poles and holder tilts.
class TestOrientation : public QObject
{
    Q_OBJECT

private slots:
    void conventions_data();
    void conventions();
    void normalisedEuler_data();
    void normalisedEuler();
    void roundTripsInEverySystem();
    void twoPoles_data();
    void twoPoles();
    void holderTilts_data();
    void holderTilts();
    void typedTilts();
    void nearestZoneAxes();
    void lowIndexForms();
    void upDirection_data();
    void upDirection();
};

void TestOrientation::conventions_data()
{
    QTest::addColumn<EulerAngles>("euler");
    QTest::addColumn<Vector3>("direction");
    QTest::addColumn<Vector3>("drawnAt");

    QTest::newRow("(0,0,0) a right")
        << EulerAngles {} << Vector3 { 1, 0, 0 } << Vector3 { 1, 0, 0 };
    QTest::newRow("(0,0,0) c at the centre")
        << EulerAngles {} << Vector3 { 0, 0, 1 } << Vector3 { 0, 0, 1 };
    QTest::newRow("(90,0,0) a up")
        << EulerAngles { 90, 0, 0 } << Vector3 { 1, 0, 0 } << Vector3 { 0, 1, 0 };
    QTest::newRow("(0,90,0) b at the centre")
        << EulerAngles { 0, 90, 0 } << Vector3 { 0, 1, 0 } << Vector3 { 0, 0, 1 };
    QTest::newRow("(0,90,0) c down")
        << EulerAngles { 0, 90, 0 } << Vector3 { 0, 0, 1 } << Vector3 { 0, -1, 0 };
    // g^T (0, 0, 1) is g's last row, (s1 S, -c1 S, C).
    const double s = std::sqrt(0.5), r3 = std::sqrt(3.0) / 2;
    QTest::newRow("(30,45,60) c") << EulerAngles { 30, 45, 60 } << Vector3 { 0, 0, 1 }
                                  << Vector3 { 0.5 * s, -r3 * s, s };
}

// Where a cubic direction is drawn, through g and through the projector's
// turn, whose view frame has 0 toward the viewer, 1 right, 2 up.
void TestOrientation::conventions()
{
    QFETCH(EulerAngles, euler);
    QFETCH(Vector3, direction);
    QFETCH(Vector3, drawnAt);
    const CrystalOrientation g = *CrystalOrientation::FromEuler(euler);
    QVERIFY(near(g.toSample(direction), drawnAt, 1e-15));
    const Vector3 view = g.projector() * direction;
    QVERIFY(near({ view[1], view[2], view[0] }, drawnAt, 1e-15));
    QVERIFY(near(g.toCrystal(drawnAt), direction, 1e-15));
}

void TestOrientation::normalisedEuler_data()
{
    QTest::addColumn<EulerAngles>("given");
    QTest::addColumn<EulerAngles>("expected");

    QTest::newRow("negative Phi") << EulerAngles { 10, -30, 20 } << EulerAngles { 190, 30, 200 };
    QTest::newRow("Phi over 180") << EulerAngles { 10, 200, 20 } << EulerAngles { 190, 160, 200 };
    QTest::newRow("lock at 0") << EulerAngles { 10, 0, 20 } << EulerAngles { 30, 0, 0 };
    QTest::newRow("lock at 180") << EulerAngles { 10, 180, 20 } << EulerAngles { 350, 180, 0 };
    QTest::newRow("within the lock's tolerance")
        << EulerAngles { 10, 1e-10, 20 } << EulerAngles { 30, 0, 0 };
    QTest::newRow("just outside it")
        << EulerAngles { 10, 1e-8, 20 } << EulerAngles { 10, 1e-8, 20 };
    QTest::newRow("whole turns") << EulerAngles { 730, 540, -1e-20 } << EulerAngles { 10, 180, 0 };
}

// The normalised angles, and the same matrix from both.
void TestOrientation::normalisedEuler()
{
    QFETCH(EulerAngles, given);
    QFETCH(EulerAngles, expected);
    QVERIFY(near(NormalisedEuler(given), expected, 1e-12));
    // Within the lock's tolerance Phi moves by up to 1e-9 degrees.
    QVERIFY(MaxDifference(EulerMatrix(expected), EulerMatrix(given)) < 2e-11);
    const EulerAngles read = EulerFromMatrix(EulerMatrix(given));
    QVERIFY(MaxDifference(EulerMatrix(read), EulerMatrix(given)) < 2e-11);
}

// Over random orientations of every system, each form there and back:
// Euler angles, matrix, axis-angle pair, the projector's turn, centre and
// up, and the measured places of a plane and a direction; and the tilts
// read off a pole bring it to the centre.
void TestOrientation::roundTripsInEverySystem()
{
    QRandomGenerator random(29);
    for (const Lattice& lattice : sevenSystems()) {
        for (int i = 0; i < 200; ++i) {
            const EulerAngles e = randomEuler(random);
            const CrystalOrientation g = *CrystalOrientation::FromEuler(e);
            QVERIFY(near(g.euler(), e, 1e-9));
            QVERIFY(MaxDifference(AxisAngleMatrix(AxisAngleOf(g.matrix())), g.matrix()) < 1e-12);
            const Matrix3 viaProjector = CrystalOrientation::FromProjector(g.projector()).matrix();
            QVERIFY(MaxDifference(viaProjector, g.matrix()) < 1e-15);
            const auto again
                = CrystalOrientation::FromCentreUp(lattice, g.centre(lattice), g.up(lattice));
            QVERIFY(again && MaxDifference(again->matrix(), g.matrix()) < 1e-9);

            const Vector3 pole = lattice.planeNormal({ 1, -2, 3 });
            const MeasuredPole plane { IndexKind::Plane, { 1, -2, 3 }, PlaceOf(g.toSample(pole)) };
            const MeasuredPole direction { IndexKind::Direction, { 2, 1, 0 },
                PlaceOf(g.toSample(lattice.direction({ 2, 1, 0 }))) };
            const auto solved = OrientationFromTwoPoles(lattice, plane, direction);
            const TwoPoleOrientation& found = std::get<TwoPoleOrientation>(solved);
            QVERIFY(MaxDifference(found.orientation.matrix(), g.matrix()) < 1e-9);
            QVERIFY(std::fabs(found.misfit) < 1e-9);

            const HolderTilt tilt = *TiltsToCentre(g.toSample(pole));
            const CrystalOrientation tilted = *Tilted(g, tilt);
            QVERIFY(near(Normalised(tilted.toSample(pole)), { 0, 0, 1 }, 1e-9));
            QVERIFY(MaxDifference(ZeroTilt(tilted, tilt)->matrix(), g.matrix()) < 1e-12);
        }
    }
}

void TestOrientation::twoPoles_data()
{
    QTest::addColumn<Index3>("first");
    QTest::addColumn<double>("firstPolar");
    QTest::addColumn<Index3>("second");
    QTest::addColumn<double>("secondPolar");
    QTest::addColumn<double>("misfit");
    QTest::addColumn<QString>("refused");

    const Index3 p001 { 0, 0, 1 }, p100 { 1, 0, 0 };
    QTest::newRow("exact") << p001 << 0.0 << p100 << 90.0 << 0.0 << QString();
    QTest::newRow("3 degrees short") << p001 << 0.0 << p100 << 87.0 << -3.0 << QString();
    QTest::newRow("5 degrees over") << p001 << 0.0 << p100 << 95.0 << 5.0 << QString();
    QTest::newRow("10 degrees short")
        << p001 << 0.0 << p100 << 80.0 << 0.0
        << TwoPoleMessages::MisfitTooLarge.arg(QStringLiteral("-10.000"));
    QTest::newRow("opposite in the crystal")
        << p001 << 0.0 << Index3 { 0, 0, -2 } << 90.0 << 0.0 << TwoPoleMessages::PolesParallel;
    QTest::newRow("places coincide")
        << p001 << 90.0 << p100 << 90.0 << 0.0 << TwoPoleMessages::PlacesParallel;
    QTest::newRow("(000)") << Index3 {} << 0.0 << p100 << 90.0 << 0.0 << TwoPoleMessages::FirstZero;
    QTest::newRow("polar beyond 180")
        << p001 << 0.0 << p100 << 181.0 << 0.0 << TwoPoleMessages::PlaceOutOfRange;
}

// The cubic (001) measured at the centre, (100) at azimuth 0: Euler (0, 0, 0)
// while the angle between the places is within 5 degrees of 90.
void TestOrientation::twoPoles()
{
    QFETCH(Index3, first);
    QFETCH(double, firstPolar);
    QFETCH(Index3, second);
    QFETCH(double, secondPolar);
    QFETCH(double, misfit);
    QFETCH(QString, refused);
    const auto solved = OrientationFromTwoPoles(Lattice::UnitCubic(),
        { IndexKind::Plane, first, { firstPolar, 0 } },
        { IndexKind::Plane, second, { secondPolar, 0 } });
    if (!refused.isEmpty()) {
        QCOMPARE(std::get<QString>(solved), refused);
        return;
    }
    const TwoPoleOrientation& found = std::get<TwoPoleOrientation>(solved);
    QVERIFY(MaxDifference(found.orientation.matrix(), Matrix3 {}) < 1e-15);
    QVERIFY(std::fabs(found.misfit - misfit) < 1e-12);
}

void TestOrientation::holderTilts_data()
{
    QTest::addColumn<Vector3>("d");
    QTest::addColumn<double>("alpha");
    QTest::addColumn<double>("beta");
    QTest::addColumn<bool>("reached");

    const double r = 3.14159265358979323846 / 180;
    QTest::newRow("alpha 20") << Vector3 { 0, std::sin(20 * r), std::cos(20 * r) } << 20.0 << 0.0
                              << true;
    QTest::newRow("beta 15") << Vector3 { -std::sin(15 * r), 0, std::cos(15 * r) } << 0.0 << 15.0
                             << true;
    QTest::newRow("alpha 45 beyond the limit") << Vector3 { 0, 1, 1 } << 45.0 << 0.0 << false;
    QTest::newRow("pointing away") << Vector3 { 0, 0, -1 } << 0.0 << 180.0 << false;
}

void TestOrientation::holderTilts()
{
    QFETCH(Vector3, d);
    QFETCH(double, alpha);
    QFETCH(double, beta);
    QFETCH(bool, reached);
    const HolderTilt tilt = *TiltsToCentre(d);
    QVERIFY(std::fabs(tilt.alpha - alpha) < 1e-12 && std::fabs(tilt.beta - beta) < 1e-12);
    QCOMPARE(WithinReach(tilt, {}), reached);
}

void TestOrientation::typedTilts()
{
    const TiltLimits limits = std::get<TiltLimits>(TiltLimits::Make(40, 25));
    QCOMPARE(std::get<HolderTilt>(CheckedTilt(-40, 25, limits)), (HolderTilt { -40, 25 }));
    QCOMPARE(std::get<QString>(CheckedTilt(41, 0, limits)),
        QStringLiteral("傾斜 α は −40° から 40° までにしてください"));
    QCOMPARE(std::get<QString>(CheckedTilt(0, -25.5, limits)),
        QStringLiteral("傾斜 β は −25° から 25° までにしてください"));
    QCOMPARE(std::get<QString>(CheckedTilt(0, INFINITY, limits)), TiltMessages::NotFinite);
    QCOMPARE(std::get<QString>(TiltLimits::Make(91, 0)), TiltMessages::LimitsOutOfRange);
    QVERIFY(!Tilted({}, { std::nan(""), 0 }));
}

// Cubic at zero tilt along [001], tilted 10 degrees in alpha, which brings
// [0 1 3] within 8.435 degrees of the beam, reached by alpha 18.435 from
// zero tilt, and takes [0 0 1] 10 degrees off it; each zone once, its end
// toward the viewer; equal angles lowest indices first.
void TestOrientation::nearestZoneAxes()
{
    const Lattice cubic = Lattice::UnitCubic();
    const std::vector<ZoneAxis> zones = NearestZoneAxes(cubic, {}, { 10, 0 }, {});
    // Of the 7^3 - 1 index triples up to 3, those with no common divisor,
    // halved.
    QCOMPARE(zones.size(), std::size_t(145));
    const double r = 180 / 3.14159265358979323846;
    QCOMPARE(zones[0].index, (Index3 { 0, 1, 3 }));
    QVERIFY(std::fabs(zones[0].angle - (std::atan(1.0 / 3) * r - 10)) < 1e-9);
    QVERIFY(std::fabs(zones[0].tilt.alpha - std::atan(1.0 / 3) * r) < 1e-9);
    QCOMPARE(zones[1].index, (Index3 { 0, 0, 1 }));
    QCOMPARE(zones[1].tilt, (HolderTilt { 0, 0 }));
    for (const ZoneAxis& zone : zones)
        QVERIFY(zone.angle >= 0 && zone.angle <= 90 + 1e-9);
    const auto at = [&](Index3 index) {
        return std::find_if(
            zones.begin(), zones.end(), [&](const ZoneAxis& z) { return z.index == index; });
    };
    // [0 1 1] is 35 degrees from the tilted beam, [1 0 1] and [-1 0 1]
    // 45.86.
    QVERIFY(at({ 0, 1, 1 }) < at({ 1, 0, 1 }));
    QVERIFY(at({ 1, 0, 1 }) < at({ -1, 0, 1 }));
    QCOMPARE(at({ 0, -1, -1 }), zones.end());
    QVERIFY(std::fabs(at({ 0, 1, 1 })->tilt.alpha - 45) < 1e-12);
    QVERIFY(!at({ 0, 1, 1 })->withinReach);

    // Hexagonal: bounded in four indices, so [2 -1 -1 0] is one and
    // [2 1 0] ([1 0 -1 0]) too, but not [3 1 0] ([5 -1 -4 0]).
    const Lattice zinc = Make(LatticeSystem::Hexagonal, { 2.665, 0, 4.947, 0, 0, 0 });
    const std::vector<ZoneAxis> hex = NearestZoneAxes(zinc, {}, {}, {});
    const auto has = [&](Index3 index) {
        return std::any_of(hex.begin(), hex.end(), [&](const ZoneAxis& z) {
            return z.index == index
                || z.index == Index3 { int16_t(-index[0]), int16_t(-index[1]), int16_t(-index[2]) };
        });
    };
    QVERIFY(has({ 1, 0, 0 }) && has({ 2, 1, 0 }) && !has({ 3, 1, 0 }));
    QCOMPARE(hex[0].index, (Index3 { 0, 0, 1 }));
}

void TestOrientation::lowIndexForms()
{
    const Lattice cubic = Lattice::UnitCubic();
    // [1 1 2] turned by 0.03 degrees about [1 -1 0].
    const Vector3 turned = AxisAngleMatrix({ { 1, -1, 0 }, 0.03 }) * Vector3 { 1, 1, 2 };
    const LowIndexForm form = *NearestLowIndex(cubic, IndexKind::Direction, turned, 6);
    QCOMPARE(form.index, (Index3 { 1, 1, 2 }));
    QVERIFY(std::fabs(form.deviation - 0.03) < 1e-9);
    // Hexagonal a1 is [2 -1 -1 0], within reach of limit 2 but not of 1.
    const Lattice hex = Lattice::IdealHexagonal();
    QCOMPARE(
        NearestLowIndex(hex, IndexKind::Direction, { 1, 0, 0 }, 2)->index, (Index3 { 1, 0, 0 }));
    QVERIFY(NearestLowIndex(hex, IndexKind::Direction, { 1, 0, 0 }, 1)->deviation > 1);
    QVERIFY(!NearestLowIndex(hex, IndexKind::Plane, { 0, 0, 0 }, 2));
}

void TestOrientation::upDirection_data()
{
    QTest::addColumn<LatticeSystem>("system");
    QTest::addColumn<LatticeParameters>("cell");
    QTest::addColumn<Vector3>("centre");
    QTest::addColumn<Vector3>("up");
    QTest::addColumn<bool>("lattice");

    const LatticeParameters cubic { 4, 0, 0, 0, 0, 0 };
    // Not [1 -3 5], the c axis made perpendicular, but the lowest-index
    // direction at right angles, the end nearer that vertical.
    QTest::newRow("cubic [-1 3 2]")
        << LatticeSystem::Cubic << cubic << Vector3 { -1, 3, 2 } << Vector3 { -1, -1, 1 } << true;
    QTest::newRow("cubic [0 0 1]")
        << LatticeSystem::Cubic << cubic << Vector3 { 0, 0, 1 } << Vector3 { 0, 1, 0 } << true;
    // In white tin only [1 -1 0] and its multiples are at right angles to
    // [1 1 1]; both ends are as far from the vertical.
    QTest::newRow("tetragonal [1 1 1]")
        << LatticeSystem::Tetragonal << LatticeParameters { 5.8197, 0, 3.1749, 0, 0, 0 }
        << Vector3 { 1, 1, 1 } << Vector3 { 1, -1, 0 } << true;
    // On hexagonal axes as typed, three indices: a2, as the documented views.
    QTest::newRow("hexagonal [0 0 1]")
        << LatticeSystem::Hexagonal << LatticeParameters { 2.665, 0, 4.947, 0, 0, 0 }
        << Vector3 { 0, 0, 1 } << Vector3 { 0, 1, 0 } << true;
    // No lattice direction up to 6 is at right angles to [1 2 3] here.
    QTest::newRow("triclinic [1 2 3]")
        << LatticeSystem::Triclinic << LatticeParameters { 5, 6, 7, 81, 97, 103 }
        << Vector3 { 1, 2, 3 } << Vector3 {} << false;
}

void TestOrientation::upDirection()
{
    QFETCH(LatticeSystem, system);
    QFETCH(LatticeParameters, cell);
    QFETCH(Vector3, centre);
    QFETCH(Vector3, up);
    QFETCH(bool, lattice);
    const Lattice crystal = Make(system, cell);
    const UpDirection got = *LowIndexUp(crystal, centre);
    QCOMPARE(got.latticeDirection, lattice);
    if (lattice)
        QCOMPARE(got.indices, up);
    QVERIFY(std::fabs(Dot(unitDirection(crystal, got.indices), unitDirection(crystal, centre)))
        < 1e-12);
}

QTEST_APPLESS_MAIN(TestOrientation)
#include "tst_orientation.moc"
