#include "DistinctPlanes.h"
#include "plotting/DrawCommand.h"
#include "poles/PlacementCache.h"
#include "poles/PoleLists.h"
#include "reading/PictureReader.h"
#include "scene/DocumentedViews.h"

#include <QTest>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Vector3)

namespace {

// 0 cubic with symmetry, 1 cubic full, 2 hexagonal with symmetry, 3 hexagonal full.
const Scene& ViewAt(int n)
{
    return DocumentedViews()[std::size_t(n)].scene;
}

std::array<QString, 3> NamesOf(int view)
{
    if (view < 2)
        return { u"(100)"_s, u"(110)"_s, u"(111)"_s };
    return { u"(0001)"_s, u"(1010)"_s, u"(1120)"_s };
}

// A mark of plot size 30 with a one-pixel outline.
constexpr double Reach = 30.0 + 7.5;

Vector3 hexNormal(int16_t h, int16_t k, int16_t l)
{
    return ViewAt(3).projector().planeNormal({ h, k, l });
}

} // namespace

class TestReading : public QObject
{
    Q_OBJECT

private slots:
    void pixelsInvertToTheirDirections_data();
    void pixelsInvertToTheirDirections();
    void readoutAt_data();
    void readoutAt();
    void nearestMark_data();
    void nearestMark();
    void polesAndTheirAngle_data();
    void polesAndTheirAngle();
    void marksOfRepeatedPlaces();
    void tiltsToTheCentre_data();
    void tiltsToTheCentre();
    void acrossTwoCrystals_data();
    void acrossTwoCrystals();
};

void TestReading::pixelsInvertToTheirDirections_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<Vector3>("direction"); // in the view's frame

    QTest::newRow("cubic full centre") << 1 << Vector3 { 1, 0, 0 };
    QTest::newRow("cubic full 1 2 3") << 1 << Vector3 { 1, 2, 3 };
    QTest::newRow("cubic full near the rim") << 1 << Vector3 { 0.02, -0.8, 0.6 };
    QTest::newRow("cubic sym 3 2 1") << 0 << Vector3 { 3, 2, 1 };
    QTest::newRow("cubic sym 5 4 1") << 0 << Vector3 { 5, 4, 1 };
    QTest::newRow("hex sym 2 1 3") << 2 << hexNormal(2, 1, 3);
    QTest::newRow("hex sym near the rim") << 2 << Vector3 { 0.05, 0.9, 0.3 };
    QTest::newRow("hex full 1 -2 1") << 3 << hexNormal(1, -2, 1);
}

// A direction's pixel reads back as a direction that lands on that pixel's
// centre, within one pixel of where it was drawn; the tool tip measures it.
void TestReading::pixelsInvertToTheirDirections()
{
    QFETCH(int, view);
    QFETCH(Vector3, direction);

    const Projector& projector = ViewAt(view).projector();
    const TwipsPoint drawn = projector.toPicture(UnitVector(direction));
    const int px = int(std::floor(drawn.x / 15.0));
    const int py = int(std::floor(drawn.y / 15.0));
    const TwipsPoint centre = PictureReader::PixelCentre(px, py);

    PoleStore empty;
    const PictureReader reader(ViewAt(view), empty, {}, NamesOf(view), Reach);
    const std::optional<Vector3> read = reader.DirectionAt(centre);
    QVERIFY(read);
    const Vector3 seen = projector.toView(*read);
    QVERIFY(seen[0] >= 0.0);
    const TwipsPoint back = projector.toPicture(seen);
    QVERIFY(std::hypot(back.x - centre.x, back.y - centre.y) < 1e-6);
    QVERIFY(std::fabs(back.x - drawn.x) <= 15.0 && std::fabs(back.y - drawn.y) <= 15.0);

    const Lattice& lattice = projector.lattice();
    std::array<double, 3> angles;
    for (std::size_t k = 0; k < 3; ++k) {
        const Index3& r = ViewAt(view).crystal.references().planes[k];
        angles[k] = AngleBetween(
            *read, lattice.planeNormal({ double(r[0]), double(r[1]), double(r[2]) }));
    }
    const std::array<QString, 3> names = NamesOf(view);
    QString expected;
    for (size_t k = 0; k < 3; ++k)
        expected += (k ? u"  "_s : QString()) + names[k] + u' ' + FormatAngle(angles[k]).trimmed()
            + u"°"_s;
    QCOMPARE(reader.ToolTip(centre, -1), expected);
}

void TestReading::readoutAt_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QString>("readout");

    const QString cubicCentre = u"(100) 0.000°  (110) 45.000°  (111) 54.736°"_s;
    const QString hexCentre = u"(0001) 0.000°  (1010) 90.000°  (1120) 90.000°"_s;
    QTest::newRow("cubic full centre is (100)") << 1 << 3500.0 << 3500.0 << cubicCentre;
    QTest::newRow("cubic full outside the circle") << 1 << 6501.0 << 3500.0 << "";
    QTest::newRow("cubic sym (100) corner") << 0 << 1000.0 << 5500.0 << cubicCentre;
    QTest::newRow("cubic sym below the triangle") << 0 << 3000.0 << 5600.0 << "";
    QTest::newRow("cubic sym beyond (100)-(111)") << 0 << 1500.0 << 3000.0 << "";
    QTest::newRow("cubic sym beyond the arc") << 0 << 6100.0 << 5400.0 << "";
    QTest::newRow("hex sym apex") << 2 << 1000.0 << 5500.0 << hexCentre;
    QTest::newRow("hex sym 0 deg corner")
        << 2 << 6000.0 << 5500.0 << u"(0001) 90.000°  (1010) 0.000°  (1120) 30.000°"_s;
    QTest::newRow("hex sym beyond 30 deg") << 2 << 1000.0 << 3000.0 << "";
    QTest::newRow("hex sym outside the circle") << 2 << 6100.0 << 5500.0 << "";
}

void TestReading::readoutAt()
{
    QFETCH(int, view);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QString, readout);

    PoleStore empty;
    const PictureReader reader(ViewAt(view), empty, {}, NamesOf(view), Reach);
    QCOMPARE(reader.ToolTip({ x, y }, -1), readout);
    QCOMPARE(reader.DirectionAt({ x, y }).has_value(), !readout.isEmpty());
}

void TestReading::nearestMark_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("pole");

    // Poles 0 and 1 at the same place, pole 2 20 twips to the right.
    QTest::newRow("on the pair: the later one, drawn on top") << 2000.0 << 2000.0 << 1;
    QTest::newRow("nearer the third") << 2011.0 << 2000.0 << 2;
    QTest::newRow("outline reached") << 2000.0 << 2000.0 - Reach << 1;
    QTest::newRow("just beyond the outline") << 2000.0 << 2000.0 - Reach - 0.5 << -1;
    QTest::newRow("far away") << 5000.0 << 5000.0 << -1;
}

void TestReading::nearestMark()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(int, pole);

    PoleStore store;
    for (int16_t h : { 1, 2, 3 })
        store.append({ IndexKind::Plane, { h, 0, 0 } });
    const std::vector<Placement> placements { { { 2000, 2000 } }, { { 2000, 2000 } },
        { { 2020, 2000 } } };
    const PictureReader reader(ViewAt(1), store, Marks { placements }, NamesOf(1), Reach);
    QCOMPARE(reader.PoleAt({ x, y }), pole);
}

void TestReading::polesAndTheirAngle_data()
{
    QTest::addColumn<int>("under");
    QTest::addColumn<int>("picked");
    QTest::addColumn<QString>("readout");
    QTest::addColumn<QString>("atRim"); // at (0 0 -1), below the centre

    // The store holds (1 0 0), (1 1 1) and (1 1 0) of the full cubic view.
    QTest::newRow("a pole alone") << 1 << -1 << u"(1 1 1)  (54.736  35.264   0.000)"_s
                                  << u"(100) 90.000°  (110) 90.000°  (111) 125.264°"_s;
    QTest::newRow("(1 1 1) with (1 0 0) picked")
        << 1 << 0 << u"(1 1 1)  (54.736  35.264   0.000)\n(1 0 0) との角度差 54.736°"_s
        << u"(100) 90.000°  (110) 90.000°  (111) 125.264°\n(1 0 0) との角度差 90.000°"_s;
    QTest::newRow("(1 1 0) with (1 1 1) picked")
        << 2 << 1 << u"(1 1 0)  (45.000   0.000  35.264)\n(1 1 1) との角度差 35.264°"_s
        << u"(100) 90.000°  (110) 90.000°  (111) 125.264°\n(1 1 1) との角度差 125.264°"_s;
    QTest::newRow("the picked pole itself")
        << 0 << 0 << u"(1 0 0)  ( 0.000  45.000  54.736)"_s
        << u"(100) 90.000°  (110) 90.000°  (111) 125.264°\n(1 0 0) との角度差 90.000°"_s;
}

void TestReading::polesAndTheirAngle()
{
    QFETCH(int, under);
    QFETCH(int, picked);
    QFETCH(QString, readout);
    QFETCH(QString, atRim);

    PoleStore store;
    for (const char* typed : { "100", "111", "110" })
        QVERIFY(RunDrawCommand(QString(QChar(typed[0])), QString(QChar(typed[1])),
            QString(QChar(typed[2])), ViewAt(1).crystal, store)
                    .added);
    PlacementCache cache;
    const std::span<const Placement> placements = cache.of(ViewAt(1).projector(), store);
    const PictureReader reader(ViewAt(1), store, placements, NamesOf(1), Reach);
    // A few twips off the centre still lies on the mark.
    const TwipsPoint at = placements[std::size_t(under)].at;
    QCOMPARE(reader.ToolTip({ at.x + 10, at.y - 10 }, picked), readout);
    // Away from every mark: the direction first, angles above 90 degrees too.
    QCOMPARE(reader.ToolTip({ 3500, 6500 }, picked), atRim);
}

// Each mark is the first entry at its place, in plotting order, with the
// last entry there on top, also when the first repeat comes after the table
// has grown; read back, the marks find the entry that the plain list of
// placements finds.
void TestReading::marksOfRepeatedPlaces()
{
    PoleStore store;
    PlacementCache cache;
    const Projector projector = ViewAt(1).projector();
    const std::vector<Index3> planes = DistinctPlanes(1500);
    std::vector<Placement> first;
    std::vector<int> last;
    for (int n = 0; n < 3000; ++n) {
        QVERIFY(store.append({ IndexKind::Plane, planes[std::size_t(n * 7 % 1500)] }));
        const Placement p = Place(projector, store.at(n));
        const auto at = std::find_if(first.begin(), first.end(),
            [&](const Placement& q) { return q.at.x == p.at.x && q.at.y == p.at.y; });
        if (at == first.end()) {
            first.push_back(p);
            last.push_back(n);
        } else {
            last[std::size_t(at - first.begin())] = n;
        }
        if (n % 997 == 0 || n == 2999) {
            const Marks marks = cache.marks(projector, store);
            QCOMPARE(marks.placements.size(), first.size());
            for (std::size_t m = 0; m < first.size(); ++m) {
                QCOMPARE(marks.placements[m].at.x, first[m].at.x);
                QCOMPARE(marks.entryOf(m), last[m]);
            }
        }
    }
    const PictureReader byMarks(ViewAt(1), store, cache.marks(projector, store), NamesOf(1), Reach);
    const PictureReader byEntries(
        ViewAt(1), store, Marks { cache.of(projector, store) }, NamesOf(1), Reach);
    for (const Placement& p : first)
        for (const TwipsPoint t : { p.at, TwipsPoint { p.at.x + 20, p.at.y - 9 } })
            QCOMPARE(byMarks.PoleAt(t), byEntries.PoleAt(t));
}

void TestReading::tiltsToTheCentre_data()
{
    QTest::addColumn<int>("kind"); // IndexKind, or -1 for the direction under the point
    QTest::addColumn<Vector3>("index");
    QTest::newRow("plane") << int(IndexKind::Plane) << Vector3 { 1, 2, 3 };
    QTest::newRow("plane written backwards") << int(IndexKind::Plane) << Vector3 { -1, -2, -3 };
    QTest::newRow("direction") << int(IndexKind::Direction) << Vector3 { 2, -1, 1 };
    QTest::newRow("under the point") << -1 << Vector3 { 3000, 4200, 0 };
}

// In the free view the tilts read off a pole, or off the direction under
// the pointer, bring it to the centre; a documented view reads none.
void TestReading::tiltsToTheCentre()
{
    QFETCH(int, kind);
    QFETCH(Vector3, index);
    Crystal crystal = std::get<Crystal>(Crystal::Make(LatticeSystem::Monoclinic,
        { 5.68, 15.18, 6.29, 90, 114.1, 90 }, { 1, 1, 2 }, std::nullopt, {}));
    crystal.orientation.tilt = { -12, 25 };
    const Scene scene = FreeScene(crystal);
    PoleStore store;
    TwipsPoint at { index[0], index[1] };
    Vector3 crystalVector {};
    if (kind >= 0) {
        const Entry entry { IndexKind(kind),
            { int16_t(index[0]), int16_t(index[1]), int16_t(index[2]) } };
        PlotIndex(index, scene.crystal, store, entry.kind);
        at = Place(scene.projector(), entry).at;
        crystalVector = EntryVector(scene.crystal.lattice, entry);
    }
    PlacementCache placements;
    const PictureReader reader(scene, store, placements.marks(scene.projector(), store), {}, Reach);
    if (kind < 0)
        crystalVector = *reader.DirectionAt(at);
    const std::optional<HolderTilt> tilt = reader.TiltsAt(at, reader.PoleAt(at));
    QVERIFY(tilt);
    const Vector3 drawn
        = crystal.orientation.tiltedTo(*tilt).drawn().toSample(Normalised(crystalVector));
    // A plane by either end; a direction itself.
    QVERIFY(std::fabs(std::fabs(drawn[2]) - 1) < 1e-9);
    QVERIFY(kind == int(IndexKind::Plane) || drawn[2] > 0);
    QVERIFY(!PictureReader(ViewAt(1), store, {}, {}, Reach).TiltsAt(at, -1));
}

void TestReading::acrossTwoCrystals_data()
{
    QTest::addColumn<int>("variant");
    QTest::newRow("variant 1 shown") << 1;
    QTest::newRow("all shown, the mark of variant 5") << 5;
}

// Ferrite in austenite by Kurdjumov-Sachs: each variant's (0 1 1)α lies on
// a {111}γ pole. The tool tip over it names the second crystal and the
// variant, and reads the angle to the first crystal's plane picked.
void TestReading::acrossTwoCrystals()
{
    QFETCH(int, variant);
    const Crystal austenite = std::get<Crystal>(Crystal::Make(
        LatticeSystem::Cubic, { 3.6, 3.6, 3.6, 90, 90, 90 }, { 1, 2, 5 }, std::nullopt, {}));
    const Lattice ferrite
        = std::get<Lattice>(Lattice::Make(LatticeSystem::Cubic, { 2.87, 2.87, 2.87, 90, 90, 90 }));
    Scene scene = FreeScene(austenite);
    scene.second = std::get<SecondCrystal>(
        SecondCrystal::Make(austenite, ferrite, SpaceGroup::Holohedry(LatticeSystem::Cubic), {},
            NamedRelationship::KurdjumovSachs, variant == 1 ? 1 : AllVariants));
    const Projector shown = *scene.secondProjector(variant);
    // The γ plane parallel to that variant's (0 1 1)α, plotted first.
    Entry plane(IndexKind::Plane, { 0, 1, 1 });
    plane.crystal = 1;
    const Vector3 normal = Normalised(shown.toView(EntryVector(ferrite, plane)));
    Index3 parallel {};
    for (const Index3& p :
        { Index3 { 1, 1, 1 }, Index3 { -1, 1, 1 }, Index3 { 1, -1, 1 }, Index3 { 1, 1, -1 } })
        if (std::fabs(std::fabs(Dot(scene.projector().planeNormal(p), normal)) - 1) < 1e-9)
            parallel = p;
    QVERIFY(parallel != Index3 {});
    PoleStore store;
    store.append(Entry(IndexKind::Plane, parallel));
    store.append(plane);
    // A plane no two variants share.
    Entry general(IndexKind::Plane, { 1, 2, 3 });
    general.crystal = 1;
    store.append(general);
    PlacementCache placements;
    const PictureReader reader(
        scene, store, placements.marks(scene.placer(), store), { u"a"_s, u"b"_s, u"c"_s }, Reach);
    const TwipsPoint at = Place(shown, general).at;
    QCOMPARE(reader.PoleAt(at), 2);
    const QString named = reader.ToolTip(at, 2, -1);
    QVERIFY2(named.startsWith(u"結晶2（変種 %1）(1 2 3)"_s.arg(variant)), qPrintable(named));
    // The second crystal's mark lies on top of the first's parallel plane.
    const TwipsPoint on = Place(shown, plane).at;
    const int pole = reader.PoleAt(on);
    QCOMPARE(pole, 1);
    const QString tip = reader.ToolTip(on, pole, 0);
    QVERIFY2(tip.contains(u"との角度差 0.000°"_s), qPrintable(tip));
    QVERIFY2(tip.contains(u"\n結晶1 "_s), qPrintable(tip));
}

QTEST_APPLESS_MAIN(TestReading)
#include "tst_reading.moc"
