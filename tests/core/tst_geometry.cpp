#include "cubic/CubicFunction.h"
#include "hexagonal/HexagonalFunction.h"
#include "plotting/StereoProjection.h"

#include <QTest>
#include <cmath>

using Index = std::array<int16_t, 3>;
Q_DECLARE_METATYPE(Index)

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
    void hexToCartesian();
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
    QTest::addColumn<double>("w1");
    QTest::addColumn<double>("w2");
    QTest::addColumn<double>("w3");
    QTest::addColumn<int>("selector");
    QTest::addColumn<double>("expected");

    const double r2 = 1 / std::sqrt(2.0);
    const double r3 = 1 / std::sqrt(3.0);
    QTest::newRow("axis pole at the centre") << -1.0 << 0.0 << 0.0 << 1 << 0.0;
    QTest::newRow("on the primitive") << 0.0 << 1.0 << 0.0 << 1 << 2.0;
    QTest::newRow("second coordinate of (0 1 0)") << 0.0 << 1.0 << 0.0 << 2 << 0.0;
    QTest::newRow("top of the primitive") << 0.0 << 0.0 << 1.0 << 2 << 2.0;
    QTest::newRow("45 degrees") << -r2 << r2 << 0.0 << 1 << 2 * std::tan(Pi / 8);
    QTest::newRow("(111) x") << -r3 << r3 << r3 << 1 << 2 / (std::sqrt(3.0) + 1);
    QTest::newRow("(111) y") << -r3 << r3 << r3 << 2 << 2 / (std::sqrt(3.0) + 1);
    QTest::newRow("selector 3 picks w3") << -0.6 << 0.0 << 0.8 << 3 << 1.0;
}

void TestGeometry::stereoProject()
{
    QFETCH(double, w1);
    QFETCH(double, w2);
    QFETCH(double, w3);
    QFETCH(int, selector);
    QFETCH(double, expected);
    QVERIFY(std::fabs(StereoProject(w1, w2, w3, selector) - expected) < 1e-12);
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
    QTest::newRow("opposite gives 0") << QVector<double> { 0, -1, 0, 0, 1, 0 } << 0.0;
    QTest::newRow("30 degrees") << QVector<double> { 0, 1, 0, 0, s, 0.5 } << 30.0;
    QTest::newRow("cosine past 1: (111)") << QVector<double> { 1, 1, 1, 1, 1, 1 } << 0.0;
    // The unit normal of the hexagonal (1 1 0) against the third reference.
    QTest::newRow("cosine past 1: hexagonal (110)")
        << QVector<double> { 0, std::sqrt(3.0) / 2, 0.5, 0, s, 0.5 } << 0.0;
    QTest::newRow("cosine past -1") << QVector<double> { -1, -1, -1, 1, 1, 1 } << 0.0;
}

void TestGeometry::angleBetween()
{
    QFETCH(QVector<double>, ab);
    QFETCH(double, expected);
    const double angle = AngleBetween(ab[0], ab[1], ab[2], ab[3], ab[4], ab[5]);
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
    QTest::newRow("signs dropped") << QVector<double> { -3, 1, -2 } << Index { 3, 1, 2 };
    QTest::newRow("h and k swapped") << QVector<double> { 1, 3, 0 } << Index { 3, 1, 0 };
    QTest::newRow("equal h and k") << QVector<double> { 2, -2, 5 } << Index { 2, 2, 5 };
    QTest::newRow("basal pole") << QVector<double> { 0, 0, -4 } << Index { 0, 0, 4 };
    QTest::newRow("fractions cut") << QVector<double> { 2.9, 1.2, 0 } << Index { 2, 1, 0 };
    QTest::newRow("opposite signs") << QVector<double> { 1, -1, 0 } << Index { 1, 1, 0 };
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
    const auto u = UnitVector(1, 1, 1);
    for (double c : u)
        QCOMPARE(c, 0.5773502691896258);
    const auto v = UnitVector(0, -3, 4);
    QCOMPARE(v[1], -0.6);
    QCOMPARE(v[2], 0.8);
}

void TestGeometry::screenTransforms_data()
{
    QTest::addColumn<int>("view"); // 0 cubic with symmetry, 1 full, 2 hexagonal with symmetry
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("selector");
    QTest::addColumn<double>("expected");

    const double u = 2 * std::tan(Pi * 22.5 / 180);
    QTest::newRow("cubic (110) corner") << 0 << u << 1 << 6000.0;
    QTest::newRow("cubic origin x") << 0 << 0.0 << 1 << 1000.0;
    QTest::newRow("cubic origin y") << 0 << 0.0 << 2 << 5500.0;
    QTest::newRow("cubic selector 0 is y") << 0 << 0.0 << 0 << 5500.0;
    QTest::newRow("cubic selector 3 is y") << 0 << u << 3 << 500.0;
    QTest::newRow("full right") << 1 << 2.0 << 1 << 6500.0;
    QTest::newRow("full top") << 1 << 2.0 << 2 << 500.0;
    QTest::newRow("full left") << 1 << -2.0 << 1 << 500.0;
    QTest::newRow("full selector 0 is y") << 1 << 2.0 << 0 << 500.0;
    QTest::newRow("hex 0 deg corner") << 2 << 2.0 << 1 << 6000.0;
    QTest::newRow("hex apex y") << 2 << 0.0 << 2 << 5500.0;
    QTest::newRow("hex y") << 2 << 1.0 << 2 << 3000.0;
    QTest::newRow("hex selector 3 is y") << 2 << 1.0 << 3 << 3000.0;
}

void TestGeometry::screenTransforms()
{
    QFETCH(int, view);
    QFETCH(double, value);
    QFETCH(int, selector);
    QFETCH(double, expected);
    const double got = view == 0 ? CubicSymToScreen(value, selector)
        : view == 1              ? FullViewToScreen(value, selector)
                                 : HexSymToScreen(value, selector);
    QVERIFY2(std::fabs(got - expected) < 1e-9, qPrintable(QString::number(got, 'g', 17)));
}

void TestGeometry::hexToCartesian()
{
    const auto c = HexToCartesian(0, 0, 1);
    QVERIFY(std::fabs(c[0] - 0.6123724356957945) < 1e-15);
    QCOMPARE(c[1], 0.0);
    QCOMPARE(c[2], 0.0);
    const auto d = HexToCartesian(1, 1, 0);
    QVERIFY(std::fabs(d[1] - std::sqrt(3.0)) < 1e-15);
    QCOMPARE(d[2], 1.0);
    // (1 0 0) and (0 1 0) are 60 degrees apart in the basal plane.
    const auto a = HexToCartesian(1, 0, 0);
    const auto b = HexToCartesian(0, 1, 0);
    QVERIFY(std::fabs(AngleBetween(a[0], a[1], a[2], b[0], b[1], b[2]) - 60) < 1e-9);
}

QTEST_GUILESS_MAIN(TestGeometry)
#include "tst_geometry.moc"
