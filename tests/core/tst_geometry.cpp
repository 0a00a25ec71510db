#include "crystal/Reduction.h"
#include "geometry/Geometry.h"
#include "poles/EntryGeometry.h"
#include "projection/Facing.h"
#include "scene/Crystal.h"
#include "scene/DocumentedViews.h"

#include <QTest>
#include <cmath>

using Index = std::array<int16_t, 3>;
Q_DECLARE_METATYPE(Index)
Q_DECLARE_METATYPE(Vector3)

class TestGeometry : public QObject
{
    Q_OBJECT

private slots:
    void piIsTheFifteenDigitDecimal();
    void stereoProject_data();
    void stereoProject();
    void angleBetween_data();
    void angleBetween();
    void sortCubicIndex_data();
    void sortCubicIndex();
    void sortHexIndex_data();
    void sortHexIndex();
    void unitVector();
    void screenTransforms_data();
    void screenTransforms();
    void idealHexagonalLattice();
    void freeViewOfAnyNumbers_data();
    void freeViewOfAnyNumbers();
};

void TestGeometry::piIsTheFifteenDigitDecimal()
{
    // Seven units in the last place below the double nearest to pi.
    double nearest = std::acos(-1.0);
    for (int i = 0; i < 7; ++i)
        nearest = std::nextafter(nearest, 0.0);
    QCOMPARE(Pi, nearest);
}

void TestGeometry::stereoProject_data()
{
    QTest::addColumn<Vector3>("w");
    QTest::addColumn<QPointF>("expected");

    const double r2 = 1 / std::sqrt(2.0);
    const double r3 = 1 / std::sqrt(3.0);
    const double p111 = 2 / (std::sqrt(3.0) + 1);
    QTest::newRow("axis pole at the centre") << Vector3 { -1, 0, 0 } << QPointF(0, 0);
    QTest::newRow("on the primitive") << Vector3 { 0, 1, 0 } << QPointF(2, 0);
    QTest::newRow("top of the primitive") << Vector3 { 0, 0, 1 } << QPointF(0, 2);
    QTest::newRow("45 degrees") << Vector3 { -r2, r2, 0 } << QPointF(2 * std::tan(Pi / 8), 0);
    QTest::newRow("(111)") << Vector3 { -r3, r3, r3 } << QPointF(p111, p111);
    QTest::newRow("w3 only") << Vector3 { -0.6, 0, 0.8 } << QPointF(0, 1);
}

// The projection and its inverse, both ways round.
void TestGeometry::stereoProject()
{
    QFETCH(Vector3, w);
    QFETCH(QPointF, expected);
    const ProjectedPoint p = StereoProject(w);
    QVERIFY(std::fabs(p.x - expected.x()) < 1e-12);
    QVERIFY(std::fabs(p.y - expected.y()) < 1e-12);
    const Vector3 back = StereoUnproject(p);
    for (size_t k = 0; k < 3; ++k)
        QVERIFY2(std::fabs(back[k] - w[k]) < 1e-12, qPrintable(QString::number(back[k])));
}

void TestGeometry::angleBetween_data()
{
    QTest::addColumn<QVector<double>>("ab");
    QTest::addColumn<double>("expected");

    const double s = std::sqrt(3.0) / 2;
    QTest::newRow("same") << QVector<double> { 1, 0, 0, 1, 0, 0 } << 0.0;
    QTest::newRow("lengths ignored") << QVector<double> { 2, 0, 0, 1, 0, 0 } << 0.0;
    QTest::newRow("right angle") << QVector<double> { 0, 1, 0, 1, 0, 0 } << 90.0;
    QTest::newRow("(110)-(100)") << QVector<double> { 1, 1, 0, 1, 0, 0 } << 45.0;
    QTest::newRow("(111)-(100)") << QVector<double> { 1, 1, 1, 1, 0, 0 } << 54.7356103172;
    QTest::newRow("(111)-(110)") << QVector<double> { 1, 1, 1, 1, 1, 0 } << 35.2643896828;
    QTest::newRow("obtuse") << QVector<double> { 1, -1, -1, 1, 1, 1 } << 109.4712206345;
    QTest::newRow("opposite gives 180") << QVector<double> { 0, -1, 0, 0, 1, 0 } << 180.0;
    QTest::newRow("30 degrees") << QVector<double> { 0, 1, 0, 0, s, 0.5 } << 30.0;
    QTest::newRow("cosine past 1: (111)") << QVector<double> { 1, 1, 1, 1, 1, 1 } << 0.0;
    // The unit normal of the hexagonal (1 1 0) against the third reference.
    QTest::newRow("cosine past 1: hexagonal (110)")
        << QVector<double> { 0, std::sqrt(3.0) / 2, 0.5, 0, s, 0.5 } << 0.0;
    QTest::newRow("cosine past -1") << QVector<double> { -1, -1, -1, 1, 1, 1 } << 180.0;
}

void TestGeometry::angleBetween()
{
    QFETCH(QVector<double>, ab);
    QFETCH(double, expected);
    const double angle = AngleBetween({ ab[0], ab[1], ab[2] }, { ab[3], ab[4], ab[5] });
    QVERIFY(!std::isnan(angle));
    QVERIFY2(std::fabs(angle - expected) < 1e-6, qPrintable(QString::number(angle, 'g', 17)));
}

void TestGeometry::sortCubicIndex_data()
{
    QTest::addColumn<QVector<double>>("typed");
    QTest::addColumn<Index>("expected");
    QTest::newRow("signs dropped, sorted") << QVector<double> { -1, 3, 2 } << Index { 3, 2, 1 };
    QTest::newRow("zeros") << QVector<double> { 0, 0, -5 } << Index { 5, 0, 0 };
    QTest::newRow("equal neighbours") << QVector<double> { 2, 2, 1 } << Index { 2, 2, 1 };
    QTest::newRow("fractions cut, not rounded")
        << QVector<double> { 1.7, 0.9, 0 } << Index { 1, 0, 0 };
    QTest::newRow("ascending") << QVector<double> { 1, 2, 3 } << Index { 3, 2, 1 };
    QTest::newRow("largest stored value")
        << QVector<double> { -32767.9, 1, 0 } << Index { 32767, 1, 0 };
}

void TestGeometry::sortCubicIndex()
{
    QFETCH(QVector<double>, typed);
    QFETCH(Index, expected);
    QCOMPARE(SortCubicIndex(typed[0], typed[1], typed[2]), expected);
}

void TestGeometry::sortHexIndex_data()
{
    QTest::addColumn<QVector<double>>("typed");
    QTest::addColumn<Index>("expected");
    // i = -(h + k) takes part: (-3 1 2 -2) is the plane (2 1 -3 2).
    QTest::newRow("opposite signs, i in play")
        << QVector<double> { -3, 1, -2 } << Index { 2, 1, 2 };
    QTest::newRow("h and k swapped") << QVector<double> { 1, 3, 0 } << Index { 3, 1, 0 };
    QTest::newRow("equal h and k, opposite signs")
        << QVector<double> { 2, -2, 5 } << Index { 2, 0, 5 };
    QTest::newRow("basal pole") << QVector<double> { 0, 0, -4 } << Index { 0, 0, 4 };
    QTest::newRow("fractions cut") << QVector<double> { 2.9, 1.2, 0 } << Index { 2, 1, 0 };
    QTest::newRow("prism of the first kind") << QVector<double> { 1, -1, 0 } << Index { 1, 0, 0 };
    QTest::newRow("negative fractions cut toward zero")
        << QVector<double> { -1.9, 2.5, 0 } << Index { 1, 1, 0 };
    QTest::newRow("l never moves") << QVector<double> { 0, 1, 9 } << Index { 1, 0, 9 };
}

void TestGeometry::sortHexIndex()
{
    QFETCH(QVector<double>, typed);
    QFETCH(Index, expected);
    QCOMPARE(SortHexIndex(typed[0], typed[1], typed[2]), expected);
}

void TestGeometry::unitVector()
{
    const auto u = UnitVector({ 1, 1, 1 });
    for (double c : u)
        QCOMPARE(c, 0.5773502691896258);
    const auto v = UnitVector({ 0, -3, 4 });
    QCOMPARE(v[1], -0.6);
    QCOMPARE(v[2], 0.8);
}

void TestGeometry::screenTransforms_data()
{
    QTest::addColumn<int>("view"); // 0 cubic with symmetry, 1 full, 2 hexagonal with symmetry
    QTest::addColumn<QPointF>("projected");
    QTest::addColumn<QPointF>("twips");

    const double u = 2 * std::tan(Pi * 22.5 / 180);
    QTest::newRow("cubic (110) corner") << 0 << QPointF(u, 0) << QPointF(6000, 5500);
    QTest::newRow("cubic (100) corner") << 0 << QPointF(0, 0) << QPointF(1000, 5500);
    QTest::newRow("cubic y up") << 0 << QPointF(0, u) << QPointF(1000, 500);
    QTest::newRow("full right") << 1 << QPointF(2, 0) << QPointF(6500, 3500);
    QTest::newRow("full top") << 1 << QPointF(0, 2) << QPointF(3500, 500);
    QTest::newRow("full left") << 1 << QPointF(-2, 0) << QPointF(500, 3500);
    QTest::newRow("hex 0 deg corner") << 2 << QPointF(2, 0) << QPointF(6000, 5500);
    QTest::newRow("hex apex") << 2 << QPointF(0, 0) << QPointF(1000, 5500);
    QTest::newRow("hex y") << 2 << QPointF(0, 1) << QPointF(1000, 3000);
}

// Each view's frame and its inverse.
void TestGeometry::screenTransforms()
{
    QFETCH(int, view);
    QFETCH(QPointF, projected);
    QFETCH(QPointF, twips);
    const Frame& frame = DocumentedViews()[std::size_t(view)].scene.frame;
    const ProjectedPoint p { projected.x(), projected.y() };
    const TwipsPoint got = frame.toTwips(p);
    QVERIFY2(std::fabs(got.x - twips.x()) < 1e-9 && std::fabs(got.y - twips.y()) < 1e-9,
        qPrintable(QStringLiteral("%1, %2").arg(got.x, 0, 'g', 17).arg(got.y, 0, 'g', 17)));
    const ProjectedPoint back = frame.fromTwips(got);
    QVERIFY(std::fabs(back.x - p.x) < 1e-12 && std::fabs(back.y - p.y) < 1e-12);
}

// The hexagonal views' crystal: c/a = sqrt(8/3), (0001) at the centre,
// (10-10) to the right, (01-10) at 60 degrees and (11-20) at 30.
void TestGeometry::idealHexagonalLattice()
{
    const Projector& projector = DocumentedViews()[3].scene.projector();
    const auto azimuth = [&](Index3 hkl) {
        const Vector3 n = projector.planeNormal(hkl);
        return std::atan2(n[2], n[1]) * 180 / Pi;
    };
    QVERIFY(std::fabs(projector.planeNormal({ 0, 0, 1 })[0] - 1) < 1e-15);
    QVERIFY(std::fabs(azimuth({ 1, 0, 0 })) < 1e-12);
    QVERIFY(std::fabs(azimuth({ 1, 1, 0 }) - 30) < 1e-12);
    QVERIFY(std::fabs(azimuth({ 0, 1, 0 }) - 60) < 1e-12);
    QVERIFY(std::fabs(azimuth({ -1, 2, 0 }) - 90) < 1e-12);
    // (10-11) lies atan(2c / (sqrt(3) a)) from (0001).
    const Lattice& hex = projector.lattice();
    QVERIFY(std::fabs(AngleBetween(hex.planeNormal({ 1, 0, 1 }), hex.planeNormal({ 0, 0, 1 }))
                - std::atan(2 * std::sqrt(8.0 / 3.0) / std::sqrt(3.0)) * 180 / Pi)
        < 1e-9);
}

void TestGeometry::freeViewOfAnyNumbers_data()
{
    QTest::addColumn<int>("system");
    QTest::addColumn<QList<double>>("cell");
    QTest::addColumn<Vector3>("centre");
    // (0 0 0) for the default up.
    QTest::addColumn<Vector3>("up");
    // Empty where the view is made.
    QTest::addColumn<QString>("error");

    QTest::newRow("denormal c") << int(LatticeSystem::Tetragonal)
                                << QList<double> { 32.5, 0, 5.5e-311 } << Vector3 { 0, 0, 1 }
                                << Vector3 { 1, 0, 0 } << LatticeMessages::LengthNotPositive;
    QTest::newRow("tiny centre, default up")
        << int(LatticeSystem::Trigonal) << QList<double> { 4.759, 0, 7.26e-5 }
        << Vector3 { 0, 0, 5.8e-157 } << Vector3 {} << QString();
    QTest::newRow("c 7e9 times a")
        << int(LatticeSystem::Monoclinic) << QList<double> { 4.76e-5, 4, 327680, 0, 80, 0 }
        << Vector3 { 1, 0, 0 } << Vector3 {} << QString();
    QTest::newRow("huge up") << int(LatticeSystem::Cubic) << QList<double> { 1 }
                             << Vector3 { 0, 0, 1 } << Vector3 { 1e300, -1e300, 0 } << QString();
}

// Whatever numbers the dialog or a file gives, a view made of them is a
// proper rotation that places every plane at a finite point.
void TestGeometry::freeViewOfAnyNumbers()
{
    QFETCH(int, system);
    QFETCH(QList<double>, cell);
    QFETCH(Vector3, centre);
    QFETCH(Vector3, up);
    QFETCH(QString, error);
    cell.resize(6);
    const LatticeParameters p { cell[0], cell[1], cell[2], cell[3], cell[4], cell[5] };
    const auto made = Crystal::Make(
        LatticeSystem(system), p, centre, up == Vector3 {} ? std::nullopt : std::optional(up), {});
    const QString* why = std::get_if<QString>(&made);
    QCOMPARE(why ? *why : QString(), error);
    if (why)
        return;
    const Crystal& settings = std::get<Crystal>(made);
    const Matrix3& m = settings.orientation.zeroTilt.matrix();
    const Matrix3 product = m * m.transposed();
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            QVERIFY(std::fabs(product.rows[i][j] - (i == j ? 1.0 : 0.0)) < 1e-12);
    QVERIFY(std::fabs(m.determinant() - 1.0) < 1e-12);
    for (const Index3& hkl : { Index3 { 1, 0, 0 }, Index3 { 0, 0, 1 }, Index3 { 1, -2, 3 } }) {
        const TwipsPoint at = Place(FreeScene(settings).projector(), { IndexKind::Plane, hkl }).at;
        QVERIFY(std::isfinite(at.x) && std::isfinite(at.y));
    }
    // The dialog shows centre and up as read off the turn; made again of
    // them, the view is the same.
    QVERIFY(std::holds_alternative<Crystal>(
        Crystal::Make(LatticeSystem(system), p, settings.centre(), settings.up(), {})));
}

QTEST_GUILESS_MAIN(TestGeometry)
#include "tst_geometry.moc"
