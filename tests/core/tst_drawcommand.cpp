#include "geometry/Geometry.h"
#include "plotting/CheckIndex.h"
#include "plotting/DrawCommand.h"
#include "poles/EntryGeometry.h"
#include "poles/PoleStore.h"
#include "scene/DocumentedViews.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>

using Index4 = std::array<int16_t, 4>;
Q_DECLARE_METATYPE(Index4)

namespace {

const Scene& ViewAt(int n)
{
    return DocumentedViews()[std::size_t(n)].scene;
}
constexpr int AllViews[] = { 0, 1, 2, 3 };

// What the lists and the picture show of stored entry n: h, k, l and, for
// hexagonal views, i; where it is drawn; its three angles.
struct Shown
{
    Index4 index;
    TwipsPoint at;
    std::array<double, 3> angles;
};

Shown shown(int view, const PoleStore& store, int n)
{
    const Entry& entry = store.at(n);
    const bool hexagonal = ViewAt(view).crystal.fourIndices();
    const Index3& i = entry.index;
    return { { i[0], i[1], i[2], int16_t(hexagonal ? -(i[0] + i[1]) : 0) },
        Place(ViewAt(view).projector(), entry).at, AnglesOf(ViewAt(view).crystal.lattice, entry) };
}

// Whether a drawing position lies inside the figure of its view.
bool insideFigure(int view, double x, double y)
{
    const double eps = 1e-6;
    if (view == 1 || view == 3)
        return std::hypot(x - 3500, y - 3500) <= 3000 + eps;
    if (view == 2) {
        const double dx = x - 1000, dy = 5500 - y;
        return std::hypot(dx, dy) <= 5000 + eps && dy >= -eps && dy <= dx * std::tan(Pi / 6) + eps;
    }
    const double scale = 5000 / (2 * std::tan(Pi * 22.5 / 180));
    const double dx = x - 1000, dy = 5500 - y;
    return dy >= -eps && dx - dy >= -eps
        && std::hypot(x - (1000 - 2 * scale), y - 5500) <= scale * 2 * std::sqrt(2.0) + eps;
}

} // namespace

class TestDrawCommand : public QObject
{
    Q_OBJECT

private slots:
    void documentedPlots_data();
    void documentedPlots();
    void refusals_data();
    void refusals();
    void boundaries_data();
    void boundaries();
    void fullStore_data();
    void fullStore();
    void samePlaneTwice();
    void symmetryKeepsThePlane();
    void randomTyping();
    void fourIndices_data();
    void fourIndices();
};

void TestDrawCommand::documentedPlots_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<Index4>("stored");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QVector<double>>("angles");
    QTest::addColumn<bool>("warned");

    const auto row = [](const char* name, int view, QStringList typed, Index4 stored, double x,
                         double y, QVector<double> angles, bool warned = false) {
        QTest::newRow(name) << view << typed << stored << x << y << angles << warned;
    };
    // Views: 0 cubic with symmetry, 1 cubic full, 2 hexagonal with symmetry, 3 hexagonal full.
    row("cubic full 1 0 0", 1, { "1", "0", "0" }, { 1, 0, 0, 0 }, 3500, 3500, { 0, 45, 54.7356 });
    row("cubic full 0 1 0", 1, { "0", "1", "0" }, { 0, 1, 0, 0 }, 6500, 3500, { 90, 45, 54.7356 });
    row("cubic full 0 0 1", 1, { "0", "0", "1" }, { 0, 0, 1, 0 }, 3500, 500, { 90, 90, 54.7356 });
    // A negative index along the axis: the same plane is written as its
    // opposite, the pole on the projected hemisphere.
    row("cubic full -1 2 3", 1, { "-1", "2", "3" }, { 1, -2, -3, 0 }, 2234.619, 5398.070,
        { 74.4986, 100.8933, 128.1129 });
    row("cubic full -1 -1 -1", 1, { "-1", "-1", "-1" }, { 1, 1, 1, 0 }, 4598.076, 2401.923,
        { 54.7356, 35.2644, 0 });
    row("cubic full 1 -1 -1", 1, { "1", "-1", "-1" }, { 1, -1, -1, 0 }, 2401.923, 4598.076,
        { 54.7356, 90, 109.4712 });
    row("cubic full decimals", 1, { "-1.5", "2.7", "-0.2" }, { 1, -3, 0, 0 }, 1337.722, 3500,
        { 71.5650, 116.5650, 111.4167 }, true);
    // floor, not a cut toward zero: -1.5 as the second index is stored as -2.
    row("cubic full floors a negative second index", 1, { "1", "-1.5", "0" }, { 1, -2, 0, 0 },
        1645.898, 3500, { 63.4349, 108.4349, 104.9632 }, true);
    row("cubic sym 1 0 0", 0, { "1", "0", "0" }, { 1, 0, 0, 0 }, 1000, 5500, { 0, 45, 54.7356 });
    row("cubic sym 1 1 0", 0, { "1", "1", "0" }, { 1, 1, 0, 0 }, 6000, 5500, { 45, 0, 35.2644 });
    row("cubic sym 1 1 1", 0, { "1", "1", "1" }, { 1, 1, 1, 0 }, 5418.317, 1081.682,
        { 54.7356, 35.2644, 0 });
    row("cubic sym 3 -1 2", 0, { "3", "-1", "2" }, { 3, 2, 1, 0 }, 4581.038, 3709.480,
        { 36.6992, 19.1066, 22.2077 });
    row("hex full 0 0 1", 3, { "0", "0", "1" }, { 0, 0, 1, 0 }, 3500, 3500, { 0, 90, 90 });
    row("hex full 1 0 0", 3, { "1", "0", "0" }, { 1, 0, 0, -1 }, 6500, 3500, { 90, 0, 30 });
    row("hex full 1 0 -2", 3, { "1", "0", "-2" }, { -1, 0, 2, 1 }, 2308.766, 3500,
        { 43.3138, 133.3138, 126.4476 });
    // -0.5 and -1.5 floor to -1 and -2; cut toward zero, h would vanish.
    row("hex full floors negative h and k", 3, { "-0.5", "-1.5", "0" }, { -1, -2, 0, 3 }, 1232.213,
        5463.961, { 90, 139.1066, 169.1066 }, true);
    row("hex full -1 0 0", 3, { "-1", "0", "0" }, { -1, 0, 0, 1 }, 500, 3500, { 90, 180, 150 });
    row("hex sym 1 0 0", 2, { "1", "0", "0" }, { 1, 0, 0, -1 }, 6000, 5500, { 90, 0, 30 });
    row("hex sym 1 1 0", 2, { "1", "1", "0" }, { 1, 1, 0, -2 }, 5330.127, 3000, { 90, 30, 0 });
    // Opposite signs of h and k: the sector's plane keeps |i| in play.
    row("hex sym -1 2 3", 2, { "-1", "2", "3" }, { 1, 1, 3, -2 }, 2902.176, 4401.777,
        { 47.4307, 50.3725, 42.5692 });
    row("hex sym 1 -1 0", 2, { "1", "-1", "0" }, { 1, 0, 0, -1 }, 6000, 5500, { 90, 0, 30 });
    row("hex sym 2 -1 0", 2, { "2", "-1", "0" }, { 1, 1, 0, -2 }, 5330.127, 3000, { 90, 30, 0 });
    row("hex sym -3 1 -2", 2, { "-3", "1", "-2" }, { 2, 1, 2, -3 }, 4196.033, 4392.862,
        { 68.1546, 28.7105, 24.2913 });
}

void TestDrawCommand::documentedPlots()
{
    QFETCH(int, view);
    QFETCH(QStringList, typed);
    QFETCH(Index4, stored);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QVector<double>, angles);
    QFETCH(bool, warned);

    PoleStore store;
    const DrawCommandResult result
        = RunDrawCommand(typed[0], typed[1], typed[2], ViewAt(view).crystal, store);
    QVERIFY(result.added);
    QCOMPARE(result.messages, warned ? QStringList { Messages::DecimalsDropped } : QStringList());
    QCOMPARE(store.PoleCount(), int16_t(1));

    const Shown pole = shown(view, store, 0);
    QCOMPARE(pole.index, stored);
    // Documented digits are cut or rounded in the last place shown.
    QVERIFY2(std::fabs(pole.at.x - x) < 2e-3, qPrintable(QString::number(pole.at.x, 'f', 6)));
    QVERIFY2(std::fabs(pole.at.y - y) < 2e-3, qPrintable(QString::number(pole.at.y, 'f', 6)));
    for (int k = 0; k < 3; ++k) {
        const double got = pole.angles[static_cast<size_t>(k)];
        QVERIFY2(std::fabs(got - angles[k]) < 2e-4, qPrintable(QString::number(got, 'g', 17)));
    }
}

void TestDrawCommand::refusals_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("messages");

    const QString notNumeric = Messages::NotNumeric, zero = Messages::ZeroIndex,
                  decimals = Messages::DecimalsDropped, tooLarge = Messages::IndexTooLarge;
    for (int view = 0; view < 4; ++view) {
        const QByteArray v = QByteArray::number(view);
        QTest::newRow("empty " + v)
            << view << QStringList { "", "", "" } << QStringList { notNumeric };
        QTest::newRow("letters " + v)
            << view << QStringList { "abc", "0", "0" } << QStringList { notNumeric };
        QTest::newRow("000 " + v) << view << QStringList { "0", "0", "0" } << QStringList { zero };
        QTest::newRow("cut to 000 " + v)
            << view << QStringList { "0.5", "0", "0" } << QStringList { decimals, zero };
        QTest::newRow("32768 " + v)
            << view << QStringList { "32768", "0", "0" } << QStringList { tooLarge };
        QTest::newRow("1e300 " + v)
            << view << QStringList { "0", "1e300", "1" } << QStringList { tooLarge };
        QTest::newRow("infinite " + v)
            << view << QStringList { "1", "1", "1e400" } << QStringList { tooLarge };
        QTest::newRow("minus infinite " + v)
            << view << QStringList { "-1e400", "1", "1" } << QStringList { tooLarge };
    }
    QTest::newRow("cut to 000 with symmetry, cubic")
        << 0 << QStringList { "0.4", "-0.7", "0.2" } << QStringList { decimals, zero };
    QTest::newRow("cut to 000 with symmetry, hex")
        << 2 << QStringList { "0.4", "-0.7", "0.2" } << QStringList { decimals, zero };
    QTest::newRow("-32768 where the sign is dropped, cubic sym")
        << 0 << QStringList { "1", "-32768", "0" } << QStringList { tooLarge };
    QTest::newRow("-32768 where the sign is dropped, cubic full")
        << 1 << QStringList { "-32768", "1", "0" } << QStringList { tooLarge };
    QTest::newRow("-32768 where the sign is dropped, hex full")
        << 3 << QStringList { "1", "0", "-32768" } << QStringList { tooLarge };
    QTest::newRow("hex full: i too large")
        << 3 << QStringList { "-32768", "0", "1" } << QStringList { tooLarge };
    QTest::newRow("hex full: i too small")
        << 3 << QStringList { "16384", "16385", "0" } << QStringList { tooLarge };
    QTest::newRow("hex sym: i too small")
        << 2 << QStringList { "32767", "2", "0" } << QStringList { tooLarge };
}

void TestDrawCommand::refusals()
{
    QFETCH(int, view);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, messages);

    PoleStore store;
    QVERIFY(RunDrawCommand("1", "2", "3", ViewAt(view).crystal, store).added);
    const Entry before = store.at(0);

    const DrawCommandResult result
        = RunDrawCommand(typed[0], typed[1], typed[2], ViewAt(view).crystal, store);
    QCOMPARE(result.messages, messages);
    QCOMPARE(result.added, false);
    QCOMPARE(store.PoleCount(), int16_t(1));
    QVERIFY(store.at(0) == before);
}

void TestDrawCommand::boundaries_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<Index4>("stored");
    QTest::newRow("cubic full keeps -32768")
        << 1 << QStringList { "1", "-32768", "0" } << Index4 { 1, -32768, 0, 0 };
    QTest::newRow("cubic full floors to -32768")
        << 1 << QStringList { "1", "0", "-32767.5" } << Index4 { 1, 0, -32768, 0 };
    QTest::newRow("cubic sym cuts -32767.9")
        << 0 << QStringList { "-32767.9", "0", "1" } << Index4 { 32767, 1, 0, 0 };
    QTest::newRow("hex full: i at -32768")
        << 3 << QStringList { "16384", "16384", "0" } << Index4 { 16384, 16384, 0, -32768 };
    QTest::newRow("hex full: i at 32767")
        << 3 << QStringList { "-32767", "0", "1" } << Index4 { -32767, 0, 1, 32767 };
    QTest::newRow("hex sym: i at -32768")
        << 2 << QStringList { "32767", "1", "0" } << Index4 { 32767, 1, 0, -32768 };
}

void TestDrawCommand::boundaries()
{
    QFETCH(int, view);
    QFETCH(QStringList, typed);
    QFETCH(Index4, stored);

    PoleStore store;
    QVERIFY(RunDrawCommand(typed[0], typed[1], typed[2], ViewAt(view).crystal, store).added);
    QCOMPARE(shown(view, store, 0).index, stored);
}

void TestDrawCommand::fullStore_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("whole") << QStringList { "1", "1", "1" } << QStringList { Messages::StoreFull };
    QTest::newRow("after the decimals warning") << QStringList { "1.5", "1",
        "1" } << QStringList { Messages::DecimalsDropped, Messages::StoreFull };
    QTest::newRow("not numeric first")
        << QStringList { "x", "1", "1" } << QStringList { Messages::NotNumeric };
}

void TestDrawCommand::fullStore()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, messages);

    PoleStore store;
    for (int n = 0; n < PoleStore::MaxPoles - 1; ++n)
        store.append(Entry {});
    QVERIFY(RunDrawCommand("1", "0", "0", ViewAt(1).crystal, store).added);
    QCOMPARE(store.PoleCount(), int16_t(32767));
    QVERIFY(store.isFull());

    const DrawCommandResult result
        = RunDrawCommand(typed[0], typed[1], typed[2], ViewAt(1).crystal, store);
    QCOMPARE(result.messages, messages);
    QVERIFY(!result.added);
    QCOMPARE(store.PoleCount(), int16_t(32767));
}

void TestDrawCommand::samePlaneTwice()
{
    PoleStore store;
    RunDrawCommand("1", "0", "0", ViewAt(1).crystal, store);
    RunDrawCommand("1", "0", "0", ViewAt(1).crystal, store);
    QCOMPARE(store.PoleCount(), int16_t(2));
    QVERIFY(store.at(0) == store.at(1));
}

// Every index with components in -4..4: in the hexagonal sector the stored
// plane is equivalent to the typed one (the same angle to (0001) and the
// same angles to the six {10-10} normals); in the full views a plane and
// its opposite are stored alike, so they are drawn at one place.
void TestDrawCommand::symmetryKeepsThePlane()
{
    const auto normal = [](double h, double k, double l) {
        return Vector3 { l / std::sqrt(8.0 / 3.0), (2 * h + k) / std::sqrt(3.0), k };
    };
    const auto prismAngles = [&](const Vector3& n) {
        std::vector<double> angles;
        for (const auto& [h, k] :
            { std::pair { 1, 0 }, { 0, 1 }, { -1, 1 }, { -1, 0 }, { 0, -1 }, { 1, -1 } })
            angles.push_back(AngleBetween(n, normal(h, k, 0)));
        std::sort(angles.begin(), angles.end());
        return angles;
    };
    for (int h = -4; h <= 4; ++h)
        for (int k = -4; k <= 4; ++k)
            for (int l = -4; l <= 4; ++l) {
                if (h == 0 && k == 0 && l == 0)
                    continue;
                const QString x = QString::number(h), y = QString::number(k),
                              z = QString::number(l);
                const QByteArray where = (x + ' ' + y + ' ' + z).toLatin1();
                PoleStore sector;
                QVERIFY(RunDrawCommand(x, y, z, ViewAt(2).crystal, sector).added);
                const auto& p = sector.at(0).index;
                const Vector3 typed = normal(h, k, l), stored = normal(p[0], p[1], p[2]);
                const double c = AngleBetween(typed, { 1, 0, 0 });
                QVERIFY2(std::fabs(std::min(c, 180 - c) - AngleBetween(stored, { 1, 0, 0 })) < 1e-9,
                    where);
                const std::vector<double> a = prismAngles(typed), b = prismAngles(stored);
                for (std::size_t n = 0; n < a.size(); ++n)
                    QVERIFY2(std::fabs(a[n] - b[n]) < 1e-6, where);

                const QString mx = QString::number(-h), my = QString::number(-k),
                              mz = QString::number(-l);
                for (int view : { 1, 3 }) {
                    PoleStore full;
                    QVERIFY(RunDrawCommand(x, y, z, ViewAt(view).crystal, full).added);
                    QVERIFY(RunDrawCommand(mx, my, mz, ViewAt(view).crystal, full).added);
                    const bool onRim = (view == 1 ? h : l) == 0;
                    if (!onRim)
                        QVERIFY2(full.at(0) == full.at(1), where);
                    // On the primitive circle the two ends of the normal
                    // both lie on the drawing, opposite each other.
                    const TwipsPoint p0 = shown(view, full, 0).at, p1 = shown(view, full, 1).at;
                    const double dx = p0.x - (onRim ? 7000 - p1.x : p1.x);
                    const double dy = p0.y - (onRim ? 7000 - p1.y : p1.y);
                    QVERIFY2(std::hypot(dx, dy) < 1e-9, where);
                }
            }
}

void TestDrawCommand::randomTyping()
{
    QRandomGenerator random(20261207);
    const QStringList garbage = { "", " ", "abc", "1,000", "0x10", "inf", "nan", "--1", "1e", "1 2",
        QStringLiteral("１２"), QStringLiteral("－３"), QStringLiteral("\u22124"), "1e400",
        "-1e400", "1e300", "32767", "-32768", "32768", "-32769", ".5", "2.", "0", "-0", "0.0" };
    const auto typedValue = [&]() -> QString {
        switch (random.bounded(5)) {
        case 0:
            return QString::number(random.bounded(-12, 13));
        case 1:
            return QString::number(random.bounded(-400000, 400001) / 100.0);
        case 2:
            return QString::number(random.bounded(-40000, 40001));
        case 3:
            return garbage[random.bounded(qsizetype(garbage.size()))];
        default:
            return QString::number((random.generateDouble() - 0.5) * 3.0);
        }
    };

    for (int v : AllViews) {
        PoleStore store;
        for (int n = 0; n < 4000; ++n) {
            const QString x = typedValue(), y = typedValue(), z = typedValue();
            const int16_t before = store.PoleCount();
            const DrawCommandResult result = RunDrawCommand(x, y, z, ViewAt(v).crystal, store);
            const QByteArray where = QStringLiteral("%1 %2 %3 in %4").arg(x, y, z).arg(v).toUtf8();
            if (!result.added) {
                QVERIFY2(store.PoleCount() == before, where);
                QVERIFY2(!result.messages.isEmpty(), where);
                continue;
            }
            QVERIFY2(store.PoleCount() == before + 1, where);
            const Shown pole = shown(v, store, before);
            QVERIFY2(insideFigure(v, pole.at.x, pole.at.y), where);
            for (double angle : pole.angles)
                QVERIFY2(angle >= 0 && angle <= 180, where);
        }
        QVERIFY(store.PoleCount() > 500);
    }
}

void TestDrawCommand::fourIndices_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<IndexKind>("kind");
    QTest::addColumn<QList<double>>("three");
    QTest::addColumn<QString>("message");
    const QString none;
    QTest::newRow("consistent plane") << QStringList { "1", "0", "-1", "2" } << IndexKind::Plane
                                      << QList<double> { 1, 0, 2 } << none;
    QTest::newRow("i left to follow") << QStringList { "1", "0", " ", "2" } << IndexKind::Plane
                                      << QList<double> { 1, 0, 2 } << none;
    QTest::newRow("i that does not")
        << QStringList { "1", "0", "0", "2" } << IndexKind::Plane << QList<double> {}
        << Messages::BadThirdPlane.arg(u"-1", u"0");
    QTest::newRow("t that does not")
        << QStringList { "2", "-1", "0", "0" } << IndexKind::Direction << QList<double> {}
        << Messages::BadThirdDirection.arg(u"-1", u"0");
    // [2 -1 -1 0] is a1, [1 0 0]; [1 0 -1 0] is [2 1 0].
    QTest::newRow("a1") << QStringList { "2", "-1", "-1", "0" } << IndexKind::Direction
                        << QList<double> { 1, 0, 0 } << none;
    QTest::newRow("not divided") << QStringList { "1", "0", "-1", "0" } << IndexKind::Direction
                                 << QList<double> { 2, 1, 0 } << none;
    QTest::newRow("a whole index in one box")
        << QStringList { "1 0 -1 2", "", "", "" } << IndexKind::Plane << QList<double> {}
        << Messages::NotNumeric + u'\n' + Messages::SeveralNumbers.arg(u"1 0 -1 2").arg(4);
}

void TestDrawCommand::fourIndices()
{
    QFETCH(QStringList, texts);
    QFETCH(IndexKind, kind);
    QFETCH(QList<double>, three);
    QFETCH(QString, message);
    const CheckIndexResult result = CheckIndexTexts(texts, kind);
    QCOMPARE(result.message, message);
    QCOMPARE(result.proceed, !three.isEmpty());
    if (result.proceed)
        QCOMPARE((QList<double> { result.values[0], result.values[1], result.values[2] }), three);
}

QTEST_GUILESS_MAIN(TestDrawCommand)
#include "tst_drawcommand.moc"
