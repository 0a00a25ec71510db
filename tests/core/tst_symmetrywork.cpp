// The crystal's symmetry in the run's work: families plotted into the
// store and kept in sessions, CIF files opened into the free view, and the
// Schmid table as the window and the command line write it.

#include "crystal/Presets.h"
#include "crystal/SymmetryCif.h"
#include "files/FileMessages.h"
#include "plotting/CheckIndex.h"
#include "plotting/DrawCommand.h"
#include "run/Work.h"

#include <QTest>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

Crystal Preset(const char* symbol)
{
    for (const CrystalPreset& p : CrystalPresets())
        if (p.name.startsWith(QString::fromUtf8(symbol)))
            return std::get<Crystal>(
                Crystal::Make(p.system, p.parameters, { 1, 2, 3 }, std::nullopt, {}, p.spaceGroup));
    qFatal("no preset %s", symbol);
}

RunState FreeRun(const Crystal& crystal)
{
    RunState state;
    state.chooseFree(crystal);
    return state;
}

QStringList Texts(const PoleStore& store, bool fourIndices)
{
    QStringList texts;
    for (const Entry& e : store.entries())
        texts << IndexText(e.kind, e.index, fourIndices);
    return texts;
}

QByteArray Cif(const QByteArray& body)
{
    return "# written for this test\ndata_test\n" + body + '\n';
}

} // namespace

using Typed = std::array<double, 3>;
Q_DECLARE_METATYPE(IndexKind)
Q_DECLARE_METATYPE(Crystal)
Q_DECLARE_METATYPE(Typed)

class TestSymmetryWork : public QObject
{
    Q_OBJECT

private slots:
    void familyPlots_data();
    void familyPlots();
    void familyRefusedWhole();
    void sessionKeepsTypedFamilies();
    void cifOpens_data();
    void cifOpens();
    void cifKeepsTheFreeViewsEntries();
    void schmidTable();
};

void TestSymmetryWork::familyPlots_data()
{
    QTest::addColumn<Crystal>("crystal");
    QTest::addColumn<IndexKind>("kind");
    QTest::addColumn<Typed>("typed");
    QTest::addColumn<QStringList>("members");
    const auto plane = IndexKind::Plane;
    const auto direction = IndexKind::Direction;
    QTest::newRow("{111}") << Preset("Cu") << plane << Typed { -1, 1, 1 }
                           << QStringList { "(1 1 1)", "(1 1 -1)", "(1 -1 1)", "(1 -1 -1)" };
    QTest::newRow("<100>") << Preset("Si") << direction << Typed { 0, 0, 2 }
                           << QStringList { "[2 0 0]", "[0 2 0]", "[0 0 2]", "[0 0 -2]", "[0 -2 0]",
                                  "[-2 0 0]" };
    QTest::newRow("{10-11} on hexagonal axes")
        << Preset("Zn") << plane << Typed { 1, 0, 1 }
        << QStringList { "(1 0 -1 1)", "(1 0 -1 -1)", "(1 -1 0 1)", "(1 -1 0 -1)", "(0 1 -1 1)",
               "(0 1 -1 -1)" };
    // The tetragonal 4/m m m of β-Sn: (0 0 1) and its opposite are one plane.
    QTest::newRow("(001) alone") << Preset("β-Sn") << plane << Typed { 0, 0, -1 }
                                 << QStringList { "(0 0 1)" };
}

// One plot of a family appends every member once, in the family's order,
// each remembering the family as typed.
void TestSymmetryWork::familyPlots()
{
    QFETCH(Crystal, crystal);
    QFETCH(IndexKind, kind);
    QFETCH(Typed, typed);
    QFETCH(QStringList, members);
    RunState state = FreeRun(crystal);
    state.store.append({ IndexKind::Plane, { 1, 0, 0 } });
    const DrawCommandResult result = PlotFamily(typed, state.scene.crystal, state.store, kind);
    QVERIFY(result.added);
    QCOMPARE(Texts(state.store, crystal.fourIndices()).mid(1), members);
    const Index3 family { int16_t(typed[0]), int16_t(typed[1]), int16_t(typed[2]) };
    QVERIFY(std::all_of(state.store.entries().begin() + 1, state.store.entries().end(),
        [&](const Entry& e) { return e.family == family; }));
}

void TestSymmetryWork::familyRefusedWhole()
{
    RunState state = FreeRun(Preset("Cu"));
    // 23 places left: {1 2 3} has 24 members.
    for (int n = 0; n < PoleStore::MaxPoles - 23; ++n)
        state.store.append({ IndexKind::Plane, { 1, 0, 0 } });
    DrawCommandResult result
        = PlotFamily({ 1, 2, 3 }, state.scene.crystal, state.store, IndexKind::Plane);
    QCOMPARE(result.messages, QStringList { Messages::FamilyTooLarge.arg(24).arg(23) });
    QCOMPARE(state.store.PoleCount(), PoleStore::MaxPoles - 23);
    QVERIFY(PlotFamily({ 1, 1, 1 }, state.scene.crystal, state.store, IndexKind::Plane).added);

    // A member beyond the index range: i = -(h + k) of a turned (32767 1 0).
    RunState zinc = FreeRun(Preset("Zn"));
    result = PlotFamily({ 32767, 1, 0 }, zinc.scene.crystal, zinc.store, IndexKind::Plane);
    QCOMPARE(result.messages, QStringList { Messages::IndexTooLarge });
    QCOMPARE(zinc.store.PoleCount(), 0);
}

// A session writes a family plotted whole as the family typed, and
// opening it plots the members again; members that no longer make the
// family are written each for itself.
void TestSymmetryWork::sessionKeepsTypedFamilies()
{
    RunState state = FreeRun(Preset("Cu"));
    const Crystal& cu = state.scene.crystal;
    PlotFamily({ -1, 1, 1 }, cu, state.store, IndexKind::Plane);
    PlotIndex({ 1, 1, 1 }, cu, state.store, IndexKind::Plane);
    PlotFamily({ 1, 1, 0 }, cu, state.store, IndexKind::Direction);
    const QList<IndexEntry> typed = TypedEntries(state.store, cu);
    QCOMPARE(typed,
        (QList<IndexEntry> { { IndexKind::Plane, { -1, 1, 1 }, Index3 { -1, 1, 1 } },
            { IndexKind::Plane, { 1, 1, 1 } },
            { IndexKind::Direction, { 1, 1, 0 }, Index3 { 1, 1, 0 } } }));
    const QByteArray saved = WriteSession(SessionOf(state));
    QVERIFY(saved.startsWith("{\n  \"orvandeler\": 2,"));
    QVERIFY(saved.contains("\"spaceGroup\": \"F m -3 m\""));
    QVERIFY(saved.contains("{\"planeFamily\": [-1, 1, 1]}"));
    auto opened = OpenWork(QStringLiteral("a.orvandeler"), saved, RunState());
    QVERIFY(std::holds_alternative<OpenedWork>(opened));
    QCOMPARE(std::get<OpenedWork>(opened).store.entries(), state.store.entries());
    QCOMPARE(std::get<OpenedWork>(opened).free->group, cu.group);

    // Under P 1 the family of each is one member: that one stands for its
    // family, the others for themselves. A run that lost a member is no
    // family either.
    Crystal triclinicGroup = cu;
    triclinicGroup.group = SpaceGroup();
    QCOMPARE(TypedEntries(state.store, triclinicGroup).size(), 4 + 1 + 12);
    PoleStore cut;
    for (std::size_t n = 1; n < state.store.entries().size(); ++n)
        cut.append(state.store.entries()[n]);
    QCOMPARE(TypedEntries(cut, cu).size(), 3 + 1 + 1);
}

void TestSymmetryWork::cifOpens_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // The crystal's description and the note, or the message refusing it.
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QString>("note");
    QTest::newRow("cubic") << Cif("_chemical_name_mineral Copper\n_cell_length_a 3.6149(2)\n"
                                  "_cell_length_b 3.6149\n_cell_length_c 3.6149\n"
                                  "_symmetry_space_group_name_H-M 'F m 3 m'")
                           << u"Copper、立方晶（a = 3.6149 Å）、中心 [0 0 1]、空間群 F m -3 m"_s
                           << QString();
    QTest::newRow("hexagonal")
        << Cif("_cell_length_a 3.209\n_cell_length_b 3.209\n"
               "_cell_length_c 5.211\n_cell_angle_gamma 120\n"
               "_space_group_IT_number 194")
        << u"test、六方晶（a = 3.209 Å、c = 5.211 Å）、中心 [0 0 0 1]、空間群 P 63/m m c"_s
        << QString();
    // P 1 1 21/b with the unique axis c becomes P 1 21/a 1 on b: a, b, c
    // become c', a', b', so beta' is the file's gamma.
    QTest::newRow("monoclinic, unique axis c")
        << Cif("_chemical_formula_sum 'C2 H4'\n_cell_length_a 5\n_cell_length_b 6\n"
               "_cell_length_c 7\n_cell_angle_gamma 105\n_space_group_name_H-M_alt 'P 1 1 21/b'")
        << u"C2 H4、単斜晶（a = 6 Å、b = 7 Å、c = 5 Å、β = 105°）、中心 [0 0 1]、空間群 P 1 21/a 1"_s
        << CifMessages::ToUniqueAxisB.arg(QLatin1Char('c'));
    QTest::newRow("no cell") << Cif("_cell_length_b 3\n_space_group_IT_number 1")
                             << CifMessages::Missing.arg("_cell_length_a") << QString();
    QTest::newRow("unterminated") << Cif("_cell_length_a 4\n_chemical_name_mineral 'x")
                                  << CifMessages::SyntaxAt.arg(4).arg(26).arg(
                                         CifMessages::UnterminatedSingle)
                                  << QString();
}

// A CIF file opens the free view with its crystal looking along c, or is
// refused whole with the item at fault named.
void TestSymmetryWork::cifOpens()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, outcome);
    QFETCH(QString, note);
    const auto opened = OpenWork(QStringLiteral("x.CIF"), bytes, RunState());
    if (const QString* why = std::get_if<QString>(&opened)) {
        QCOMPARE(*why, outcome);
        return;
    }
    const OpenedWork& work = std::get<OpenedWork>(opened);
    QVERIFY(!work.session && work.free);
    QCOMPARE(FreeScene(*work.free).name(), outcome);
    QCOMPARE(work.note, note);
}

// In the free view the entries stay, as the crystal dialog keeps them,
// unless the new crystal cannot show one; elsewhere the plot starts empty.
void TestSymmetryWork::cifKeepsTheFreeViewsEntries()
{
    const QByteArray zinc = Cif("_cell_length_a 2.665\n_cell_length_b 2.665\n"
                                "_cell_length_c 4.947\n_cell_angle_gamma 120\n"
                                "_space_group_name_H-M_alt 'P 63/m m c'");
    RunState state = FreeRun(Preset("Cu"));
    PlotFamily({ 1, 1, 1 }, state.scene.crystal, state.store, IndexKind::Plane);
    auto opened = OpenWork(QStringLiteral("zn.cif"), zinc, state);
    QCOMPARE(std::get<OpenedWork>(opened).store.entries(), state.store.entries());

    // (32767 2 0) has no i = -(h + k) on hexagonal axes.
    state.store.append({ IndexKind::Plane, { 32767, 2, 0 } });
    opened = OpenWork(QStringLiteral("zn.cif"), zinc, state);
    QCOMPARE(std::get<QString>(opened),
        FileMessages::EntryRefused.arg(5).arg(u"(32767 2 -32769 0)"_s, Messages::IndexTooLarge));

    RunState documented;
    documented.store.append({ IndexKind::Plane, { 1, 0, 0 } });
    opened = OpenWork(QStringLiteral("zn.cif"), zinc, documented);
    QCOMPARE(std::get<OpenedWork>(opened).store.PoleCount(), 0);
}

void TestSymmetryWork::schmidTable()
{
    // fcc {111}<110> loaded along [1 2 3]: one system at |m| 0.467, and
    // (1 1 1)[0 -1 1] at 0.175, written with their first indices positive
    // and the sign that goes with them.
    const RunState state = FreeRun(Preset("Al"));
    const auto csv = SchmidCsvOf(state, SlipSet::Fcc, Vector3 { 1, 2, 3 });
    const QList<QByteArray> lines = std::get<QByteArray>(csv).split('\n');
    QCOMPARE(lines.size(), 1 + 12 + 1);
    QCOMPARE(lines[0], "plane,direction,m");
    QCOMPARE(lines[1], "\"(1 -1 -1)\",\"[1 0 1]\",-0.467");
    QVERIFY(lines.contains("\"(1 1 1)\",\"[0 1 -1]\",-0.175"));
    // The centre when no axis is given; a set the crystal does not take.
    QCOMPARE(std::get<QByteArray>(SchmidCsvOf(state, SlipSet::Fcc, std::nullopt)),
        std::get<QByteArray>(SchmidCsvOf(state, SlipSet::Fcc, Vector3 { 1, 2, 3 })));
    QCOMPARE(std::get<QString>(SchmidCsvOf(state, SlipSet::Basal, std::nullopt)),
        SchmidMessages::HexagonalOnly.arg(SlipSetRowOf(SlipSet::Basal).caption));
    QCOMPARE(std::get<QString>(SchmidCsvOf(RunState(), SlipSet::Fcc, std::nullopt)),
        SchmidTableMessages::NotFreeView);

    // Four indices on hexagonal axes; the largest marked, all that share it.
    const auto rows = SchmidTable(Preset("Mg"), SlipSet::Prismatic, { 1, 0, 0 });
    const auto& prismatic = std::get<std::vector<SchmidRow>>(rows);
    QCOMPARE(prismatic.size(), 3u);
    QCOMPARE(prismatic[0].plane + prismatic[0].direction, u"(1 0 -1 0)[-1 2 -1 0]"_s);
    QCOMPARE(std::count_if(
                 prismatic.begin(), prismatic.end(), [](const SchmidRow& r) { return r.largest; }),
        2);
    QCOMPARE(prismatic[2].factor, u"0.000"_s);
}

QTEST_GUILESS_MAIN(TestSymmetryWork)
#include "tst_symmetrywork.moc"
