#include "crystal/CrystalSymmetry.h"
#include "crystal/Families.h"
#include "crystal/Presets.h"
#include "crystal/Schmid.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <set>

Q_DECLARE_METATYPE(LatticeSystem)
Q_DECLARE_METATYPE(LatticeParameters)
Q_DECLARE_METATYPE(Index3)
Q_DECLARE_METATYPE(Indices)
Q_DECLARE_METATYPE(Vector3)
Q_DECLARE_METATYPE(SlipSet)

namespace {

SpaceGroup group(const QString& text)
{
    const auto made = SpaceGroup::FromText(text);
    if (const QString* why = std::get_if<QString>(&made))
        qFatal("%s", qPrintable(*why));
    return std::get<SpaceGroup>(made);
}

Lattice lattice(LatticeSystem system, LatticeParameters p)
{
    return std::get<Lattice>(Lattice::Make(system, p));
}

const LatticeParameters copper { 3.6149, 3.6149, 3.6149, 90, 90, 90 };
const LatticeParameters magnesium { 3.209, 3.209, 5.211, 90, 90, 120 };

// A lattice of each system with no accidental higher symmetry.
Lattice someLattice(LatticeSystem system)
{
    return lattice(system, { 4.1, 5.3, 6.7, 81, 104.5, 97 });
}

} // namespace

class TestSymmetry : public QObject
{
    Q_OBJECT

private slots:
    void fromText_data();
    void fromText();
    void everyNumberNamesItself();
    void fits_data();
    void fits();
    void holohedryFitsItsSystem();
    void cartesianOperations();
    void families_data();
    void families();
    void familySizeIsOrderOverStabiliser();
    void absences_data();
    void absences();
    void absencesFollowTheRules();
    void schmidFactors_data();
    void schmidFactors();
    void slipSetsRefused();
};

void TestSymmetry::fromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");

    QTest::newRow("as the tables write it") << "F m -3 m"
                                            << "F m -3 m";
    QTest::newRow("run together") << "Fm-3m"
                                  << "F m -3 m";
    QTest::newRow("number") << "225"
                            << "F m -3 m";
    QTest::newRow("hexagonal run together") << "P63/mmc"
                                            << "P 63/m m c";
    QTest::newRow("full-width") << QStringLiteral("Ｆｍ－３ｍ") << "F m -3 m";
    QTest::newRow("older cubic") << "Fm3m"
                                 << "F m -3 m";
    QTest::newRow("older cubic, blanks") << "I a 3 d"
                                         << "I a -3 d";
    QTest::newRow("short monoclinic") << "P 21/c"
                                      << "P 1 21/c 1";
    QTest::newRow("second origin") << "F d -3 m :2"
                                   << "F d -3 m:2";
    QTest::newRow("rhombohedral on hexagonal axes") << "166"
                                                    << "R -3 m";
    QTest::newRow("trigonal primitive") << "P -3 m 1"
                                        << "P -3 m 1";

    QTest::newRow("empty") << " " << SymmetryMessages::Empty;
    QTest::newRow("zero") << "0" << SymmetryMessages::NumberOutOfRange;
    QTest::newRow("231") << "231" << SymmetryMessages::NumberOutOfRange;
    QTest::newRow("huge") << "99999999999" << SymmetryMessages::NumberOutOfRange;
    QTest::newRow("unknown") << "Q 9" << SymmetryMessages::Unknown.arg("Q 9");
    QTest::newRow("unique axis c") << "P 1 1 2" << SymmetryMessages::UniqueAxisNotB.arg("P 1 1 2");
    QTest::newRow("rhombohedral axes")
        << "R -3 m:R" << SymmetryMessages::RhombohedralAxes.arg("R -3 m:R");
}

void TestSymmetry::fromText()
{
    QFETCH(QString, text);
    QFETCH(QString, result);
    const auto made = SpaceGroup::FromText(text);
    if (const SpaceGroup* g = std::get_if<SpaceGroup>(&made))
        QCOMPARE(g->name(), result);
    else
        QCOMPARE(std::get<QString>(made), result);
}

void TestSymmetry::everyNumberNamesItself()
{
    for (int number = 1; number <= 230; ++number) {
        const SpaceGroup g = group(QString::number(number));
        QCOMPARE(g.number(), number);
        QCOMPARE(group(g.name()), g);
        QVERIFY(g.fits(g.system()));
    }
}

void TestSymmetry::fits_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<LatticeSystem>("system");
    QTest::addColumn<bool>("fits");

    QTest::newRow("fcc, cubic") << "F m -3 m" << LatticeSystem::Cubic << true;
    QTest::newRow("fcc, tetragonal") << "F m -3 m" << LatticeSystem::Tetragonal << false;
    QTest::newRow("P 3, trigonal") << "P 3" << LatticeSystem::Trigonal << true;
    QTest::newRow("P 3, hexagonal") << "P 3" << LatticeSystem::Hexagonal << true;
    QTest::newRow("R -3 m, trigonal") << "R -3 m" << LatticeSystem::Trigonal << true;
    QTest::newRow("R -3 m, hexagonal") << "R -3 m" << LatticeSystem::Hexagonal << false;
    QTest::newRow("hcp, trigonal") << "P 63/m m c" << LatticeSystem::Trigonal << false;
    QTest::newRow("P -1, cubic") << "P -1" << LatticeSystem::Cubic << false;
}

void TestSymmetry::fits()
{
    QFETCH(QString, group);
    QFETCH(LatticeSystem, system);
    QFETCH(bool, fits);
    const SpaceGroup g = ::group(group);
    QCOMPARE(g.fits(system), fits);
    QCOMPARE(g.misfit(system).isEmpty(), fits);
    const auto made = CrystalSymmetry::Make(someLattice(system), g);
    QCOMPARE(std::holds_alternative<CrystalSymmetry>(made), fits);
    if (!fits)
        QCOMPARE(std::get<QString>(made), g.misfit(system));
}

void TestSymmetry::holohedryFitsItsSystem()
{
    const std::pair<LatticeSystem, const char*> rows[] = { { LatticeSystem::Cubic, "P m -3 m" },
        { LatticeSystem::Tetragonal, "P 4/m m m" }, { LatticeSystem::Orthorhombic, "P m m m" },
        { LatticeSystem::Hexagonal, "P 6/m m m" }, { LatticeSystem::Trigonal, "R -3 m" },
        { LatticeSystem::Monoclinic, "P 1 2/m 1" }, { LatticeSystem::Triclinic, "P -1" } };
    for (const auto& [system, name] : rows) {
        const SpaceGroup g = SpaceGroup::Holohedry(system);
        QCOMPARE(g.name(), QString::fromLatin1(name));
        QCOMPARE(g.pointGroup(), g.laueClass());
        QVERIFY(
            std::holds_alternative<CrystalSymmetry>(CrystalSymmetry::Make(someLattice(system), g)));
    }
    QCOMPARE(SpaceGroup(), group("P 1"));
    for (const CrystalPreset& preset : CrystalPresets())
        QVERIFY2(preset.spaceGroup.fits(preset.system), qPrintable(preset.name));
}

// The Cartesian operations turn a plane's normal and a direction exactly as
// the whole-number operations turn their indices.
void TestSymmetry::cartesianOperations()
{
    const std::pair<LatticeSystem, const char*> rows[]
        = { { LatticeSystem::Hexagonal, "P 63/m m c" }, { LatticeSystem::Trigonal, "R -3 c" },
              { LatticeSystem::Monoclinic, "C 1 2/c 1" },
              { LatticeSystem::Tetragonal, "I 41/a m d" }, { LatticeSystem::Cubic, "F d -3 m" } };
    const auto vector = [](const Indices& v) {
        return Vector3 { double(v[0]), double(v[1]), double(v[2]) };
    };
    for (const auto& [system, name] : rows) {
        const Lattice l = someLattice(system);
        const auto symmetry = std::get<CrystalSymmetry>(CrystalSymmetry::Make(l, group(name)));
        const std::vector<IntMatrix3>& whole = symmetry.group().pointOperations();
        QCOMPARE(symmetry.operations().size(), whole.size());
        std::size_t proper = 0;
        for (std::size_t i = 0; i < whole.size(); ++i) {
            const Matrix3& m = symmetry.operations()[i];
            const Vector3 n = Difference(m * l.planeNormal({ 1, 2, 3 }),
                l.planeNormal(vector(MovedPlane(whole[i], { 1, 2, 3 }))));
            const Vector3 d = Difference(m * l.direction({ 1, 2, 3 }),
                l.direction(vector(MovedDirection(whole[i], { 1, 2, 3 }))));
            QVERIFY(Norm(n) < 1e-9 && Norm(d) < 1e-9);
            proper += m.determinant() > 0.0;
        }
        QCOMPARE(symmetry.rotations().size(), proper);
        QCOMPARE(symmetry.rotations().front(), Rotation());
    }
}

void TestSymmetry::families_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("planes");
    QTest::addColumn<Index3>("index");
    QTest::addColumn<int>("members");
    QTest::addColumn<Indices>("first");

    QTest::newRow("{100}") << "Fm-3m" << true << Index3 { 1, 0, 0 } << 3 << Indices { 1, 0, 0 };
    QTest::newRow("{110}") << "Fm-3m" << true << Index3 { 1, 1, 0 } << 6 << Indices { 1, 1, 0 };
    QTest::newRow("{111}") << "Fm-3m" << true << Index3 { -1, 1, 1 } << 4 << Indices { 1, 1, 1 };
    QTest::newRow("{123}") << "Fm-3m" << true << Index3 { 1, 2, 3 } << 24 << Indices { 3, 2, 1 };
    QTest::newRow("<111>") << "Fm-3m" << false << Index3 { 1, 1, 1 } << 8 << Indices { 1, 1, 1 };
    QTest::newRow("hcp {10-10}") << "P63/mmc" << true << Index3 { 1, 0, 0 } << 3
                                 << Indices { 1, 0, 0 };
    QTest::newRow("hcp {10-11}") << "P63/mmc" << true << Index3 { 1, 0, 1 } << 6
                                 << Indices { 1, 0, 1 };
    QTest::newRow("hcp {11-22}") << "P63/mmc" << true << Index3 { 1, 1, 2 } << 6
                                 << Indices { 2, -1, 2 };
    QTest::newRow("4mm: [001] alone")
        << "P 4 m m" << false << Index3 { 0, 0, 1 } << 1 << Indices { 0, 0, 1 };
    QTest::newRow("(000)") << "P 1" << true << Index3 { 0, 0, 0 } << 0 << Indices {};
}

void TestSymmetry::families()
{
    QFETCH(QString, group);
    QFETCH(bool, planes);
    QFETCH(Index3, index);
    QFETCH(int, members);
    const std::vector<Indices> family
        = planes ? PlaneFamily(::group(group), index) : DirectionFamily(::group(group), index);
    QCOMPARE(int(family.size()), members);
    QVERIFY(std::is_sorted(family.rbegin(), family.rend()));
    if (members > 0)
        QTEST(family.front(), "first");
}

void TestSymmetry::familySizeIsOrderOverStabiliser()
{
    QRandomGenerator random(30);
    for (const char* name :
        { "F m -3 m", "P 63/m m c", "R -3 m", "I 41/a m d", "P 4 m m", "C 1 2/c 1", "P 21 3" }) {
        const SpaceGroup g = group(QString::fromLatin1(name));
        const std::size_t order = g.pointOperations().size();
        for (int trial = 0; trial < 100; ++trial) {
            // Small indices, so that special positions come up often.
            Index3 index {};
            for (int16_t& x : index)
                x = int16_t(random.bounded(-3, 4));
            if (index == Index3 {})
                continue;
            const Indices v { index[0], index[1], index[2] };
            std::size_t planeStabiliser = 0, directionStabiliser = 0;
            for (const IntMatrix3& r : g.pointOperations()) {
                planeStabiliser += FirstPositive(MovedPlane(r, v)) == FirstPositive(v);
                directionStabiliser += MovedDirection(r, v) == v;
            }
            // A plane is kept also by an operation that turns its normal over.
            QCOMPARE(PlaneFamily(g, index).size(), order / planeStabiliser);
            QCOMPARE(DirectionFamily(g, index).size(), order / directionStabiliser);
        }
    }
}

void TestSymmetry::absences_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<Indices>("hkl");
    QTest::addColumn<bool>("absent");
    QTest::addColumn<int>("order");

    QTest::newRow("fcc (111)") << "F m -3 m" << Indices { 1, 1, 1 } << false << 1;
    QTest::newRow("fcc (100) at (200)") << "F m -3 m" << Indices { 1, 0, 0 } << true << 2;
    QTest::newRow("fcc (110) at (220)") << "F m -3 m" << Indices { 1, 1, 0 } << true << 2;
    QTest::newRow("fcc (311)") << "F m -3 m" << Indices { 3, 1, 1 } << false << 1;
    QTest::newRow("bcc (110)") << "I m -3 m" << Indices { 1, 1, 0 } << false << 1;
    QTest::newRow("bcc (100) at (200)") << "I m -3 m" << Indices { 1, 0, 0 } << true << 2;
    QTest::newRow("bcc (211)") << "I m -3 m" << Indices { 2, 1, 1 } << false << 1;
    QTest::newRow("diamond (111)") << "F d -3 m" << Indices { 1, 1, 1 } << false << 1;
    QTest::newRow("diamond (200)") << "F d -3 m" << Indices { 2, 0, 0 } << true << 2;
    QTest::newRow("diamond (100) at (400)") << "F d -3 m" << Indices { 1, 0, 0 } << true << 4;
    QTest::newRow("diamond (220)") << "F d -3 m" << Indices { 2, 2, 0 } << false << 1;
    QTest::newRow("diamond (311)") << "F d -3 m" << Indices { 3, 1, 1 } << false << 1;
    QTest::newRow("hcp (0001) at (0002)") << "P 63/m m c" << Indices { 0, 0, 1 } << true << 2;
    QTest::newRow("hcp (10-10)") << "P 63/m m c" << Indices { 1, 0, 0 } << false << 1;
    QTest::newRow("hcp (10-11)") << "P 63/m m c" << Indices { 1, 0, 1 } << false << 1;
    QTest::newRow("hcp (11-21)") << "P 63/m m c" << Indices { 1, 1, 1 } << true << 2;
    QTest::newRow("beyond the tables") << "F m -3 m" << Indices { 20000001, 0, 0 } << false << 0;
    QTest::newRow("(000)") << "F m -3 m" << Indices { 0, 0, 0 } << false << 0;
}

void TestSymmetry::absences()
{
    QFETCH(QString, group);
    QFETCH(Indices, hkl);
    QFETCH(int, order);
    const SpaceGroup g = ::group(group);
    QTEST(g.isAbsent(hkl), "absent");
    QCOMPARE(g.lowestAllowedOrder(hkl, 10).value_or(0), order);
    // The order's indices are bounded by the limit.
    const int largest = std::max({ std::abs(hkl[0]), std::abs(hkl[1]), std::abs(hkl[2]) });
    if (order > 0)
        QVERIFY(!g.lowestAllowedOrder(hkl, order * largest - 1));
}

// Centring extinguishes by parity, and a reflection is absent with every
// reflection equivalent to it.
void TestSymmetry::absencesFollowTheRules()
{
    const SpaceGroup f = group("F m -3 m"), i = group("I m -3 m");
    const SpaceGroup others[]
        = { group("P 63/m m c"), group("F d -3 m"), group("I 41/a m d"), group("P 1 21/c 1") };
    for (int h = -4; h <= 4; ++h)
        for (int k = -4; k <= 4; ++k)
            for (int l = -4; l <= 4; ++l) {
                QCOMPARE(f.isAbsent({ h, k, l }), (h + k) % 2 != 0 || (k + l) % 2 != 0);
                QCOMPARE(i.isAbsent({ h, k, l }), (h + k + l) % 2 != 0);
                for (const SpaceGroup& g : others)
                    for (const IntMatrix3& r : g.pointOperations())
                        QCOMPARE(g.isAbsent(MovedPlane(r, { h, k, l })), g.isAbsent({ h, k, l }));
            }
}

void TestSymmetry::schmidFactors_data()
{
    QTest::addColumn<SlipSet>("set");
    QTest::addColumn<Vector3>("axis");
    QTest::addColumn<int>("systems");
    QTest::addColumn<double>("largest");
    QTest::addColumn<int>("sharedBy");

    for (SlipSet set : { SlipSet::Fcc, SlipSet::Bcc110 }) {
        const QByteArray name = SlipSetRowOf(set).name.toLatin1();
        QTest::newRow(name + " [001]") << set << Vector3 { 0, 0, 1 } << 12 << 0.408 << 8;
        QTest::newRow(name + " [011]") << set << Vector3 { 0, 1, 1 } << 12 << 0.408 << 4;
        QTest::newRow(name + " [111]") << set << Vector3 { 1, 1, 1 } << 12 << 0.272 << 6;
        QTest::newRow(name + " [123]") << set << Vector3 { 1, 2, 3 } << 12 << 0.467 << 1;
    }
    // The rest worked out apart; the hexagonal ones with the metric of magnesium.
    QTest::newRow("bcc112 [123]") << SlipSet::Bcc112 << Vector3 { 1, 2, 3 } << 12 << 0.471 << 1;
    QTest::newRow("bcc123 [001]") << SlipSet::Bcc123 << Vector3 { 0, 0, 1 } << 24 << 0.463 << 8;
    QTest::newRow("basal [2 1 3]") << SlipSet::Basal << Vector3 { 2, 1, 3 } << 3 << 0.273 << 2;
    QTest::newRow("prismatic [1 2 0]")
        << SlipSet::Prismatic << Vector3 { 1, 2, 0 } << 3 << 0.433 << 2;
    QTest::newRow("pyramidal-a [1 0 0]")
        << SlipSet::PyramidalA << Vector3 { 1, 0, 0 } << 6 << 0.382 << 4;
    QTest::newRow("pyramidal-ca [0 0 1]")
        << SlipSet::PyramidalCA << Vector3 { 0, 0, 1 } << 6 << 0.446 << 6;
    QTest::newRow("pyramidal-ca [2 1 3]")
        << SlipSet::PyramidalCA << Vector3 { 2, 1, 3 } << 6 << 0.482 << 2;
}

void TestSymmetry::schmidFactors()
{
    QFETCH(SlipSet, set);
    QFETCH(Vector3, axis);
    QFETCH(double, largest);
    QFETCH(int, sharedBy);
    const bool hexagonal = SlipSetRowOf(set).hexagonalAxes;
    const Lattice l = hexagonal ? lattice(LatticeSystem::Hexagonal, magnesium)
                                : lattice(LatticeSystem::Cubic, copper);
    const auto symmetry = std::get<CrystalSymmetry>(
        CrystalSymmetry::Make(l, group(hexagonal ? "P 63/m m c" : "F m -3 m")));
    const auto systems = std::get<std::vector<SlipSystem>>(SlipSystems(symmetry, set));
    QTEST(int(systems.size()), "systems");
    std::set<std::pair<Indices, Indices>> distinct;
    for (const SlipSystem& s : systems) {
        QCOMPARE(s.plane, FirstPositive(s.plane));
        QCOMPARE(s.direction, FirstPositive(s.direction));
        QCOMPARE(
            s.plane[0] * s.direction[0] + s.plane[1] * s.direction[1] + s.plane[2] * s.direction[2],
            0);
        distinct.insert({ s.plane, s.direction });
    }
    QCOMPARE(distinct.size(), systems.size());

    const std::vector<SchmidFactor> table = SchmidFactors(l, systems, axis);
    QCOMPARE(table.size(), systems.size());
    QCOMPARE(std::round(std::fabs(table.front().m) * 1000) / 1000, largest);
    const auto shared = std::count_if(table.begin(), table.end(), [&](const SchmidFactor& f) {
        return std::fabs(std::fabs(f.m) - std::fabs(table.front().m)) < 1e-9;
    });
    QCOMPARE(int(shared), sharedBy);
    for (std::size_t i = 1; i < table.size(); ++i)
        QVERIFY(std::fabs(table[i].m) <= std::fabs(table[i - 1].m) + 1e-9);
    if (set == SlipSet::Fcc && axis == Vector3 { 1, 2, 3 }) {
        const auto it = std::find_if(table.begin(), table.end(), [](const SchmidFactor& f) {
            return f.system == SlipSystem { { 1, 1, 1 }, { 0, 1, -1 } };
        });
        QVERIFY(it != table.end());
        QCOMPARE(std::round(it->m * 1000) / 1000, -0.175);
    }
    QVERIFY(SchmidFactors(l, systems, { 0, 0, 0 }).empty());
}

void TestSymmetry::slipSetsRefused()
{
    const auto tin = std::get<CrystalSymmetry>(CrystalSymmetry::Make(
        lattice(LatticeSystem::Tetragonal, { 5.8197, 5.8197, 3.1749, 90, 90, 90 }),
        group("I 41/a m d")));
    QCOMPARE(std::get<QString>(SlipSystems(tin, SlipSet::Fcc)),
        SchmidMessages::CubicOnly.arg(SlipSetRowOf(SlipSet::Fcc).caption));
    QCOMPARE(std::get<QString>(SlipSystems(tin, SlipSet::Basal)),
        SchmidMessages::HexagonalOnly.arg(SlipSetRowOf(SlipSet::Basal).caption));
    // Typed families: {110}<001> of tin has systems, {001}<001> none.
    QCOMPARE(
        std::get<std::vector<SlipSystem>>(SlipSystems(tin.group(), { { 1, 1, 0 }, { 0, 0, 1 } }))
            .size(),
        2u);
    QCOMPARE(std::get<QString>(SlipSystems(tin.group(), { { 0, 0, 1 }, { 0, 0, 1 } })),
        SchmidMessages::NoDirectionInPlane.arg("0 0 1", "0 0 1"));
    QCOMPARE(std::get<QString>(SlipSystems(tin.group(), { { 0, 0, 0 }, { 0, 0, 1 } })),
        SchmidMessages::ZeroIndex);
    QVERIFY(SlipSetFromName("pyramidal-ca") == SlipSet::PyramidalCA && !SlipSetFromName("hcp"));
}

QTEST_APPLESS_MAIN(TestSymmetry)
#include "tst_symmetry.moc"
