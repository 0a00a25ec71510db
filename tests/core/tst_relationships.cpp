#include "TestCrystals.h"
#include "files/VariantTable.h"
#include "orientation/Relationship.h"
#include "orientation/Variants.h"
#include "run/RunState.h"

#include <QTest>
#include <algorithm>
#include <cmath>

Q_DECLARE_METATYPE(NamedRelationship)
Q_DECLARE_METATYPE(LatticeSystem)
Q_DECLARE_METATYPE(LatticeParameters)
Q_DECLARE_METATYPE(Index3)

namespace {

using TestCrystals::Make;

// γ-Fe and α-Fe; β-Ti and α-Ti.
const Lattice Austenite = Make(LatticeSystem::Cubic, { 3.6, 0, 0, 0, 0, 0 });
const Lattice Ferrite = Make(LatticeSystem::Cubic, { 2.8665, 0, 0, 0, 0, 0 });
const Lattice BetaTi = Make(LatticeSystem::Cubic, { 3.3, 0, 0, 0, 0, 0 });
const Lattice AlphaTi = Make(LatticeSystem::Hexagonal, { 2.9508, 0, 4.6855, 0, 0, 0 });

std::vector<Matrix3> rotationsOf(const Lattice& lattice)
{
    return UsesFourIndices(lattice.system()) ? TestCrystals::Hexagonal() : TestCrystals::Cubic();
}

Vector3 unit(const Lattice& lattice, IndexKind kind, const Index3& index)
{
    return *UnitVectorOf(lattice, kind, index);
}

} // namespace

// Two crystals related by a relationship or a twin, the variants the
// parent's symmetry allows, and the misorientations between them.
class TestRelationships : public QObject
{
    Q_OBJECT

private slots:
    void variants_data();
    void variants();
    void typedPairs_data();
    void typedPairs();
    void twins_data();
    void twins();
    void variantCsv_data();
    void variantCsv();
    void secondFollowsFirst();
};

void TestRelationships::variants_data()
{
    QTest::addColumn<NamedRelationship>("relationship");
    QTest::addColumn<QList<double>>("misorientations");

    // Published, and reproduced independently to 0.01 degrees.
    QTest::newRow("KS") << NamedRelationship::KurdjumovSachs
                        << QList<double> { 0, 10.53, 10.53, 14.88, 14.88, 20.61, 20.61, 21.06,
                               47.11, 47.11, 49.47, 49.47, 50.51, 50.51, 50.51, 50.51, 51.73, 57.21,
                               57.21, 57.21, 57.21, 60, 60, 60 };
    QTest::newRow("NW") << NamedRelationship::NishiyamaWassermann
                        << QList<double> { 0, 13.76, 13.76, 19.47, 50.05, 50.05, 53.69, 53.69,
                               53.69, 53.69, 60, 60 };
    QTest::newRow("Pitsch") << NamedRelationship::Pitsch
                            << QList<double> { 0, 13.76, 13.76, 19.47, 50.05, 50.05, 53.69, 53.69,
                                   53.69, 53.69, 60, 62.8 };
    QTest::newRow("Bain") << NamedRelationship::Bain << QList<double> { 0, 62.8, 62.8 };
    QTest::newRow("Burgers") << NamedRelationship::Burgers
                             << QList<double> { 0, 10.53, 60, 60, 60.83, 60.83, 60.83, 60.83, 63.26,
                                    63.26, 90, 90 };
}

// The variants' misorientations to the first, as a multiset; each variant
// keeps the relationship's parallelisms with some plane and direction of
// the parent's families.
void TestRelationships::variants()
{
    QFETCH(NamedRelationship, relationship);
    QFETCH(QList<double>, misorientations);
    const NamedRelationshipRow& row = RowOf(relationship);
    const bool burgers = relationship == NamedRelationship::Burgers;
    const Lattice& parent = burgers ? BetaTi : Austenite;
    const Lattice& child = burgers ? AlphaTi : Ferrite;
    const std::vector<Matrix3> parentRotations = rotationsOf(parent);
    const std::vector<Matrix3> childRotations = rotationsOf(child);
    const Matrix3 turn = std::get<Matrix3>(RelationshipTurn(parent, child, row.definition));

    const std::vector<VariantRow> table
        = VariantTable(turn, parentRotations, childRotations, child);
    QList<double> got;
    for (const VariantRow& variant : table)
        got.append(std::round(variant.toFirst.degrees * 100) / 100);
    std::sort(got.begin(), got.end());
    QCOMPARE(got, misorientations);
    QCOMPARE(table[0].turn, turn);
    QVERIFY(!table[0].axis);

    const RelationshipDefinition& d = row.definition;
    const Vector3 childPlane = unit(child, IndexKind::Plane, d.childPlane);
    const Vector3 childDirection = unit(child, IndexKind::Direction, d.childDirection);
    for (const VariantRow& variant : table) {
        const bool kept = std::any_of(
            parentRotations.begin(), parentRotations.end(), [&](const Matrix3& s) {
                const Vector3 plane = s * unit(parent, IndexKind::Plane, d.parentPlane);
                const Vector3 direction = s * unit(parent, IndexKind::Direction, d.parentDirection);
                return Norm(Difference(variant.turn * plane, childPlane)) < 1e-9
                    && Norm(Difference(variant.turn * direction, childDirection)) < 1e-9;
            });
        QVERIFY2(kept, qPrintable(QString::number(variant.number)));
        QVERIFY(IsProperRotation(variant.turn));
    }
}

void TestRelationships::typedPairs_data()
{
    QTest::addColumn<Index3>("parentDirection");
    QTest::addColumn<Index3>("childPlane");
    QTest::addColumn<QString>("refused");

    // (100) || (100) and a direction 0.057 degrees out of (100), made
    // perpendicular: no turn at all.
    QTest::newRow("0.057 degrees out") << Index3 { 1, 1000, 0 } << Index3 { 1, 0, 0 } << QString();
    QTest::newRow("0.115 degrees out")
        << Index3 { 1, 500, 0 } << Index3 { 1, 0, 0 }
        << QStringLiteral("結晶1の方向 [1 500 0] は面 (1 0 0) の上にありません"
                          "（0.115° 外れています、0.1° まで）");
    QTest::newRow("child plane (000)")
        << Index3 { 0, 1, 0 } << Index3 {} << RelationshipMessages::PlaneZero;
}

void TestRelationships::typedPairs()
{
    QFETCH(Index3, parentDirection);
    QFETCH(Index3, childPlane);
    QFETCH(QString, refused);
    const auto turn = RelationshipTurn(
        Austenite, Ferrite, { { 1, 0, 0 }, childPlane, parentDirection, { 0, 1, 0 } });
    if (!refused.isEmpty()) {
        QCOMPARE(std::get<QString>(turn), refused);
        return;
    }
    QVERIFY(MaxDifference(std::get<Matrix3>(turn), Matrix3 {}) < 1e-15);
}

void TestRelationships::twins_data()
{
    QTest::addColumn<LatticeSystem>("system");
    QTest::addColumn<LatticeParameters>("cell");
    QTest::addColumn<bool>("inPlane");
    QTest::addColumn<Index3>("index");
    QTest::addColumn<double>("degrees");
    // The axis's four or three indices in size order, whatever their sign.
    QTest::addColumn<QList<int>>("axis");

    const LatticeParameters cubic { 3, 0, 0, 0, 0, 0 };
    QTest::newRow("bcc {112}") << LatticeSystem::Cubic << cubic << true << Index3 { 1, 1, 2 }
                               << 60.0 << QList<int> { 1, 1, 1 };
    QTest::newRow("fcc {111}") << LatticeSystem::Cubic << cubic << true << Index3 { 1, 1, 1 }
                               << 60.0 << QList<int> { 1, 1, 1 };
    QTest::newRow("about <111>") << LatticeSystem::Cubic << cubic << false << Index3 { 1, -1, 1 }
                                 << 60.0 << QList<int> { 1, 1, 1 };
    // c/a 1.6239; worked out independently as 86.3073 degrees.
    QTest::newRow("Mg {10-12}") << LatticeSystem::Hexagonal
                                << LatticeParameters { 3.209, 0, 5.211, 0, 0, 0 } << true
                                << Index3 { 1, 0, 2 } << 86.3073 << QList<int> { 0, 1, 1, 2 };
}

// The smallest misorientation over both crystals' symmetry, its axis as a
// low-index direction; twice is no turn at all.
void TestRelationships::twins()
{
    QFETCH(LatticeSystem, system);
    QFETCH(LatticeParameters, cell);
    QFETCH(bool, inPlane);
    QFETCH(Index3, index);
    QFETCH(double, degrees);
    QFETCH(QList<int>, axis);
    const Lattice lattice = Make(system, cell);
    const std::vector<Matrix3> rotations = rotationsOf(lattice);
    const auto made = inPlane ? TwinInPlane(lattice, index) : TwinAboutDirection(lattice, index);
    const Matrix3 twin = std::get<Matrix3>(made);

    const Misorientation m = MisorientationOf(twin, rotations, rotations);
    QVERIFY2(
        std::fabs(m.degrees - degrees) < 1e-4, qPrintable(QString::number(m.degrees, 'g', 12)));
    const LowIndexForm form = *NearestLowIndex(lattice, IndexKind::Direction, m.axis, 3);
    QVERIFY(form.deviation < 1e-9);
    const bool four = UsesFourIndices(system);
    QList<int> sizes;
    if (four)
        for (int32_t x : FourIndexDirection(form.index))
            sizes.append(std::abs(x));
    else
        for (int16_t x : form.index)
            sizes.append(std::abs(x));
    std::sort(sizes.begin(), sizes.end());
    QCOMPARE(sizes, axis);
    QVERIFY(MisorientationOf(twin * twin, rotations, rotations).degrees < 1e-9);
    // As the orientation window writes it, the axis exact and in the lattice's own indices.
    const QString text = MisorientationText(m, lattice);
    QVERIFY2(text.startsWith(QString::number(degrees, 'f', 3) + QStringLiteral("° [")),
        qPrintable(text));
    QCOMPARE(text.count(u' '), four ? 4 : 3);
}

void TestRelationships::variantCsv_data()
{
    QTest::addColumn<NamedRelationship>("relationship");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QByteArray>("line");
    // Worked out independently: 10.529 degrees about <1 1 1> in KS; 63.262
    // degrees about [10 -5 -5 3] in Burgers, nearest [6 -3 -3 2] up to 6.
    QTest::newRow("KS") << NamedRelationship::KurdjumovSachs << 25 << QByteArray(",10.529,[1 1 1]");
    QTest::newRow("Burgers") << NamedRelationship::Burgers << 13
                             << QByteArray(",63.262,[6 -3 -3 2]（ずれ 1.874°）");
}

// One line a variant under the header, the first with no axis.
void TestRelationships::variantCsv()
{
    QFETCH(NamedRelationship, relationship);
    QFETCH(int, lines);
    QFETCH(QByteArray, line);
    const bool burgers = relationship == NamedRelationship::Burgers;
    const Lattice& parent = burgers ? BetaTi : Austenite;
    const Lattice& child = burgers ? AlphaTi : Ferrite;
    const Matrix3 turn
        = std::get<Matrix3>(RelationshipTurn(parent, child, RowOf(relationship).definition));
    const QByteArray csv
        = VariantCsv(VariantTable(turn, rotationsOf(parent), rotationsOf(child), child), child);
    const QList<QByteArray> got = csv.trimmed().split('\n');
    QCOMPARE(got.size(), lines);
    QCOMPARE(got[0], QByteArray("variant,angle,axis"));
    QCOMPARE(got[1], QByteArray("1,0.000,—"));
    QVERIFY(std::any_of(
        got.begin(), got.end(), [&](const QByteArray& row) { return row.endsWith(line); }));
}

// A first crystal the second cannot be placed against is refused before it
// is taken: taking it would take the second and its entries away.
void TestRelationships::secondFollowsFirst()
{
    const auto crystal = [](const Lattice& lattice) {
        return std::get<Crystal>(
            Crystal::Make(lattice.system(), lattice.parameters(), { 0, 0, 1 }, std::nullopt, {}));
    };
    RunState run;
    run.chooseFree(crystal(Austenite));
    run.changeSecond(std::get<SecondCrystal>(SecondCrystal::Make(run.free, Ferrite,
        SpaceGroup::Holohedry(LatticeSystem::Cubic), {}, NamedRelationship::KurdjumovSachs, 24)));
    Entry entry(IndexKind::Plane, { 1, 1, 0 });
    entry.crystal = 1;
    run.store.append(entry);

    const Crystal otherCubic = crystal(BetaTi);
    QVERIFY(run.secondRefusedBy(otherCubic).isEmpty());
    // Hexagonal, the first crystal gives KS fewer than 24 variants.
    QVERIFY(
        run.secondRefusedBy(crystal(AlphaTi)).startsWith(u"この結晶に対しては結晶2 を置けません"));
    run.changeFree(otherCubic);
    QVERIFY(run.scene.second);
    QCOMPARE(run.store.PoleCount(), int16_t(1));
}

QTEST_APPLESS_MAIN(TestRelationships)
#include "tst_relationships.moc"
