#include "crystal/Presets.h"
#include "plotting/DrawCommand.h"
#include "poles/EntryGeometry.h"
#include "projection/Facing.h"
#include "projection/Turning.h"
#include "scene/Crystal.h"
#include "scene/DocumentedViews.h"

#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(LatticeSystem)
Q_DECLARE_METATYPE(LatticeParameters)
Q_DECLARE_METATYPE(Vector3)

using namespace Qt::StringLiterals;

namespace {

double angle(const Lattice& lattice, IndexKind kind, Index3 a, Index3 b)
{
    return AngleBetween(EntryVector(lattice, { kind, a }), EntryVector(lattice, { kind, b }));
}

Lattice make(LatticeSystem system, LatticeParameters p)
{
    return std::get<Lattice>(Lattice::Make(system, p));
}

} // namespace

// Real crystals in any orientation: angles from the lattice, places from
// the orientation, and the free view agreeing with the documented views.
class TestCrystal : public QObject
{
    Q_OBJECT

private slots:
    void anglesOfRealCrystals_data();
    void anglesOfRealCrystals();
    void freeViewAgreesWithTheDocumentedViews_data();
    void freeViewAgreesWithTheDocumentedViews();
    void centreAlong111();
    void turnsReturn();
    void turnedViewMadeAgain_data();
    void turnedViewMadeAgain();
    void badCrystalsRefused_data();
    void badCrystalsRefused();
    void hugeDirectionsScaled();
};

void TestCrystal::anglesOfRealCrystals_data()
{
    QTest::addColumn<LatticeSystem>("system");
    QTest::addColumn<LatticeParameters>("cell");
    QTest::addColumn<bool>("directions");
    QTest::addColumn<Vector3>("a");
    QTest::addColumn<Vector3>("b");
    QTest::addColumn<double>("degrees");
    QTest::addColumn<double>("within");

    const LatticeParameters zinc { 2.665, 2.665, 4.947, 90, 90, 120 };
    QTest::newRow("Zn (0001)-(10-11)")
        << LatticeSystem::Hexagonal << zinc << false << Vector3 { 0, 0, 1 } << Vector3 { 1, 0, 1 }
        << 64.989 << 5e-4;
    QTest::newRow("Zn (0001)-(10-12)")
        << LatticeSystem::Hexagonal << zinc << false << Vector3 { 0, 0, 1 } << Vector3 { 1, 0, 2 }
        << 46.983 << 5e-4;
    QTest::newRow("Mg (0001)-(10-11)")
        << LatticeSystem::Hexagonal << LatticeParameters { 3.209, 3.209, 5.211, 90, 90, 120 }
        << false << Vector3 { 0, 0, 1 } << Vector3 { 1, 0, 1 } << 61.929 << 5e-4;
    const LatticeParameters tin { 5.8197, 5.8197, 3.1749, 90, 90, 90 };
    QTest::newRow("Sn (101)-(001)") << LatticeSystem::Tetragonal << tin << false
                                    << Vector3 { 1, 0, 1 } << Vector3 { 0, 0, 1 } << 28.614 << 5e-4;
    QTest::newRow("Sn (101)-(011)") << LatticeSystem::Tetragonal << tin << false
                                    << Vector3 { 1, 0, 1 } << Vector3 { 0, 1, 1 } << 39.588 << 5e-4;
    const LatticeParameters monoclinic { 5.68, 15.18, 6.29, 90, 114.1, 90 };
    QTest::newRow("monoclinic (100)-(001)")
        << LatticeSystem::Monoclinic << monoclinic << false << Vector3 { 1, 0, 0 }
        << Vector3 { 0, 0, 1 } << 65.9 << 1e-9;
    QTest::newRow("monoclinic [100]-[001]")
        << LatticeSystem::Monoclinic << monoclinic << true << Vector3 { 1, 0, 0 }
        << Vector3 { 0, 0, 1 } << 114.1 << 1e-9;
}

void TestCrystal::anglesOfRealCrystals()
{
    QFETCH(LatticeSystem, system);
    QFETCH(LatticeParameters, cell);
    QFETCH(bool, directions);
    QFETCH(Vector3, a);
    QFETCH(Vector3, b);
    QFETCH(double, degrees);
    QFETCH(double, within);
    const Lattice lattice = make(system, cell);
    const auto index = [](const Vector3& v) {
        return Index3 { int16_t(v[0]), int16_t(v[1]), int16_t(v[2]) };
    };
    const double got
        = angle(lattice, directions ? IndexKind::Direction : IndexKind::Plane, index(a), index(b));
    QVERIFY2(std::fabs(got - degrees) < within, qPrintable(QString::number(got, 'g', 10)));
}

void TestCrystal::freeViewAgreesWithTheDocumentedViews_data()
{
    QTest::addColumn<int>("documented");
    QTest::newRow("cubic along [100]") << 1;
    QTest::newRow("ideal hexagonal along [0001]") << 3;
}

// Every plane with indices in -4..4 lies where the documented full view
// puts it, with the same angles, when the free view looks along the same
// axis with its own choice of up.
void TestCrystal::freeViewAgreesWithTheDocumentedViews()
{
    QFETCH(int, documented);
    const Scene& fixed = DocumentedViews()[std::size_t(documented)].scene;
    const Lattice& lattice = fixed.crystal.lattice;
    const Vector3 centre = documented == 1 ? Vector3 { 1, 0, 0 } : Vector3 { 0, 0, 1 };
    const Scene free = FreeScene(std::get<Crystal>(
        Crystal::Make(lattice.system(), lattice.parameters(), centre, std::nullopt, {})));
    for (int h = -4; h <= 4; ++h)
        for (int k = -4; k <= 4; ++k)
            for (int l = -4; l <= 4; ++l) {
                if (h == 0 && k == 0 && l == 0)
                    continue;
                const QString x = QString::number(h), y = QString::number(k),
                              z = QString::number(l);
                PoleStore a, b;
                QVERIFY(RunDrawCommand(x, y, z, fixed.crystal, a).added);
                QVERIFY(RunDrawCommand(x, y, z, free.crystal, b).added);
                const TwipsPoint p = Place(fixed.projector(), a.at(0)).at,
                                 q = Place(free.projector(), b.at(0)).at;
                QVERIFY2(std::hypot(p.x - q.x, p.y - q.y) < 1e-6, qPrintable(x + y + z));
            }
}

void TestCrystal::centreAlong111()
{
    const Lattice cubic = Lattice::UnitCubic();
    const Scene view = FreeScene(std::get<Crystal>(
        Crystal::Make(cubic.system(), cubic.parameters(), { 1, 1, 1 }, std::nullopt, {})));
    const TwipsPoint pole = Place(view.projector(), { IndexKind::Plane, { 1, 0, 0 } }).at;
    QVERIFY(std::fabs(std::hypot(pole.x - 3500, pole.y - 3500) - 1552.9) < 0.05);
    // Up is a low-index direction at right angles to [111].
    const Vector3 up = view.crystal.up();
    QCOMPARE(up[0] + up[1] + up[2], 0.0);
}

// A drag and the drag back, keys and their opposites: the orientation
// comes back to where it started.
void TestCrystal::turnsReturn()
{
    const Lattice zinc = make(LatticeSystem::Hexagonal, { 2.665, 2.665, 4.947, 90, 90, 120 });
    const Rotation start = *Orientation(zinc, { 1, 2, 3 }, { 1, 0, 0 });
    const Scene view = FreeScene(zinc, start, {});
    const TwipsPoint from { 3300, 4100 }, to { 5200, 2100 };
    const Rotation turned = Turning::Drag(view.projector(), from, to) * start;
    // The direction grasped is now under the pointer.
    const Vector3 grasped = view.projector().fromView(view.projector().unproject(from));
    const Projector after(zinc, turned, Region::Full, view.frame);
    const TwipsPoint now = after.toPicture(after.toView(grasped));
    QVERIFY(std::hypot(now.x - to.x, now.y - to.y) < 1e-6);
    const Rotation back = Turning::Drag(after, to, from) * turned;
    const Rotation keys = Turning::Right(-10) * Turning::Up(-1) * Turning::Clockwise(-1)
        * Turning::Clockwise(1) * Turning::Up(1) * Turning::Right(10) * start;
    for (const Rotation& r : { back, keys })
        for (std::size_t i = 0; i < 3; ++i)
            for (std::size_t j = 0; j < 3; ++j)
                QVERIFY(std::fabs(r.matrix().rows[i][j] - start.matrix().rows[i][j]) < 1e-12);
}

void TestCrystal::turnedViewMadeAgain_data()
{
    QTest::addColumn<LatticeParameters>("cell");
    QTest::addColumn<Vector3>("centre");
    QTest::newRow("zinc, whole indices")
        << LatticeParameters { 2.665, 2.665, 4.947, 90, 90, 120 } << Vector3 { 1, 0, 0 };
    QTest::newRow("a cell 1e-6 Å high, 1e6 Å wide")
        << LatticeParameters { 1e6, 1e6, 1e-6, 90, 90, 120 } << Vector3 { 0, 0, 1 };
}

// The centre and up a session keeps make the same view again, turned or not.
void TestCrystal::turnedViewMadeAgain()
{
    QFETCH(LatticeParameters, cell);
    QFETCH(Vector3, centre);
    Crystal settings = std::get<Crystal>(
        Crystal::Make(LatticeSystem::Hexagonal, cell, centre, std::nullopt, {}));
    QCOMPARE(settings.centre(), centre);
    settings.orientation.zeroTilt
        = CrystalOrientation::FromProjector(Turning::Right(7) * Turning::Up(-3) * settings.turn());
    const auto again
        = Crystal::Make(LatticeSystem::Hexagonal, cell, settings.centre(), settings.up(), {});
    QVERIFY(std::holds_alternative<Crystal>(again));
    QVERIFY(MaxDifference(std::get<Crystal>(again).orientation.zeroTilt.matrix(),
                settings.orientation.zeroTilt.matrix())
        < 1e-9);
}

void TestCrystal::badCrystalsRefused_data()
{
    QTest::addColumn<LatticeSystem>("system");
    QTest::addColumn<LatticeParameters>("cell");
    QTest::addColumn<Vector3>("centre");
    QTest::addColumn<Vector3>("up");
    QTest::addColumn<QString>("message");
    const LatticeParameters good { 3, 4, 5, 90, 100, 90 };
    QTest::newRow("a length of 0")
        << LatticeSystem::Orthorhombic << LatticeParameters { 3, 0, 5, 90, 90, 90 }
        << Vector3 { 0, 0, 1 } << Vector3 { 0, 1, 0 } << LatticeMessages::LengthNotPositive;
    QTest::newRow("a length of 1e-300")
        << LatticeSystem::Triclinic << LatticeParameters { 5, 1e-300, 5, 90, 90, 120 }
        << Vector3 { 0, 0, 1 } << Vector3 { 0, 1, 0 } << LatticeMessages::LengthNotPositive;
    QTest::newRow("a negative length")
        << LatticeSystem::Cubic << LatticeParameters { -1, 1, 1, 90, 90, 90 } << Vector3 { 0, 0, 1 }
        << Vector3 { 0, 1, 0 } << LatticeMessages::LengthNotPositive;
    QTest::newRow("an angle of 180")
        << LatticeSystem::Monoclinic << LatticeParameters { 3, 4, 5, 90, 180, 90 }
        << Vector3 { 0, 0, 1 } << Vector3 { 0, 1, 0 } << LatticeMessages::AngleOutOfRange;
    QTest::newRow("angles that close no cell")
        << LatticeSystem::Triclinic << LatticeParameters { 3, 4, 5, 100, 100, 170 }
        << Vector3 { 0, 0, 1 } << Vector3 { 0, 1, 0 } << LatticeMessages::NoCell;
    QTest::newRow("not a number") << LatticeSystem::Triclinic
                                  << LatticeParameters { 3, 4, 5, std::nan(""), 90, 90 }
                                  << Vector3 { 0, 0, 1 } << Vector3 { 0, 1, 0 }
                                  << LatticeMessages::AngleOutOfRange;
    QTest::newRow("centre [000]") << LatticeSystem::Monoclinic << good << Vector3 { 0, 0, 0 }
                                  << Vector3 { 0, 1, 0 } << FreeViewMessages::CentreZero;
    QTest::newRow("up along the centre")
        << LatticeSystem::Monoclinic << good << Vector3 { 1, 0, 1 } << Vector3 { -2, 0, -2 }
        << FreeViewMessages::UpAlongCentre;
    QTest::newRow("centre past 1e300")
        << LatticeSystem::Cubic << good << Vector3 { 2e300, 0, 1 } << Vector3 { 0, 1, 0 }
        << FreeViewMessages::CentreTooLarge.arg(u"[2e+300 0 1]"_s);
    QTest::newRow("up [0 0 0]") << LatticeSystem::Cubic << good << Vector3 { 1, 0, 0 }
                                << Vector3 { 0, 0, 0 }
                                << FreeViewMessages::UpUnusable.arg(u"[0 0 0]"_s);
    QTest::newRow("up not a number")
        << LatticeSystem::Cubic << good << Vector3 { 1, 0, 0 } << Vector3 { 0, std::nan(""), 1 }
        << FreeViewMessages::UpUnusable.arg(u"[0 nan 1]"_s);
}

// Up to 1e300 a centre or up is scaled, not refused: [1e155 0 0] squared
// would overflow.
void TestCrystal::hugeDirectionsScaled()
{
    const LatticeParameters cubic { 4, 4, 4, 90, 90, 90 };
    const auto made
        = Crystal::Make(LatticeSystem::Cubic, cubic, { 1e155, 0, 0 }, Vector3 { 0, 0, 1 }, {});
    QCOMPARE(std::get<Crystal>(made).centre(), (Vector3 { 1, 0, 0 }));
    const auto upward
        = Crystal::Make(LatticeSystem::Cubic, cubic, { 0, 0, 1 }, Vector3 { 1e300, -1e300, 0 }, {});
    QCOMPARE(std::get<Crystal>(upward).up(), (Vector3 { 1, -1, 0 }));
}

void TestCrystal::badCrystalsRefused()
{
    QFETCH(LatticeSystem, system);
    QFETCH(LatticeParameters, cell);
    QFETCH(Vector3, centre);
    QFETCH(Vector3, up);
    QFETCH(QString, message);
    const auto made = Crystal::Make(system, cell, centre, up, {});
    QVERIFY(std::holds_alternative<QString>(made));
    QCOMPARE(std::get<QString>(made), message);
}

QTEST_GUILESS_MAIN(TestCrystal)
#include "tst_crystal.moc"
