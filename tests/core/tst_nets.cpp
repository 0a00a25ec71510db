#include "RecordingSurface.h"

#include "figure/DocumentedNets.h"
#include "geometry/Geometry.h"
#include "scene/DocumentedViews.h"
#include "scene/DrawPicture.h"

#include <QRegularExpression>
#include <QTest>
#include <array>
#include <cmath>
#include <initializer_list>

using Calls = QVector<SurfaceCall>;
using NetFn = void (*)(DrawingSurface&, int);
Q_DECLARE_METATYPE(SurfaceCall)
Q_DECLARE_METATYPE(NetFn)

namespace {

// Builds an expected call list; a bar is {y, x from, x to}.
struct Expect
{
    Calls calls;
    Expect& width(const char* w)
    {
        calls.push_back({ SurfaceCall::DrawWidth, {}, QString::fromLatin1(w) });
        return *this;
    }
    Expect& line(double x1, double y1, double x2, double y2)
    {
        calls.push_back({ SurfaceCall::Line, { x1, y1, x2, y2 }, {} });
        return *this;
    }
    Expect& circle(double cx, double cy, double r)
    {
        calls.push_back({ SurfaceCall::Circle, { cx, cy, r }, {} });
        return *this;
    }
    Expect& arc(double cx, double cy, double r, double start, double end)
    {
        calls.push_back({ SurfaceCall::Arc, { cx, cy, r, start, end }, {} });
        return *this;
    }
    Expect& text(
        double x, double y, const char* t, std::initializer_list<std::array<double, 3>> bars = {})
    {
        calls.push_back({ SurfaceCall::CurrentX, { x }, {} });
        calls.push_back({ SurfaceCall::CurrentY, { y }, {} });
        calls.push_back({ SurfaceCall::Print, {}, QString::fromLatin1(t) });
        for (const auto& b : bars)
            line(b[1], b[0], b[2], b[0]);
        return *this;
    }
    Expect& crystalAxes()
    {
        return line(200, 400, 200, 800)
            .line(200, 800, 546.4101615137754, 1000)
            .line(546.4101615137754, 1000, 892.8203230275509, 800)
            .line(892.8203230275509, 800, 892.8203230275509, 400)
            .line(892.8203230275509, 400, 546.4101615137754, 200)
            .line(546.4101615137754, 200, 200, 400)
            .text(250, 650, "[001]")
            .line(546.4101615137754, 600, 1031.3843876330611, 900)
            .text(1081.3843876330611, 900, "[100]")
            .line(546.4101615137754, 600, 546.4101615137754, 0)
            .text(665.6921938165306, 0, "[010]");
    }
};

const double Rho = 4242.640687119286; // 3000 sqrt 2
const double Lo = 1378.6796564403576, Hi = 5621.320343559642; // 3500 -+ 3000 / sqrt 2
const double Near = 901.923788646684, Far = 6098.0762113533165; // 3500 -+ 3000 sqrt 3 / 2

Calls cubicSym()
{
    return Expect()
        .width("2")
        .line(1000, 5500, 6000, 5500)
        .line(1000, 5500, 5418.317469947404, 1081.6825300525961)
        .arc(-11071.067811865507, 5500, 17071.06781186551, 0, 0.2617993877991491)
        .text(850, 5600, "(100)")
        .text(5800, 5600, "(110)")
        .text(5250, 850, "(111)")
        .calls;
}

Calls cubicFull()
{
    return Expect()
        .width("1")
        .circle(3500, 3500, 3000)
        .line(500, 3500, 6500, 3500)
        .line(3500, 500, 3500, 6500)
        .line(Lo, Lo, Hi, Hi)
        .line(Lo, Hi, Hi, Lo)
        .arc(500, 3500, Rho, 0, 0.7853981633974475)
        .arc(500, 3500, Rho, 5.497787143782133, 6.28318530717958)
        .arc(6500, 3500, Rho, 2.3561944901923426, 3.9269908169872374)
        .arc(3500, 500, Rho, 3.9269908169872374, 5.497787143782133)
        .arc(3500, 6500, Rho, 0.7853981633974475, 2.3561944901923426)
        .text(3700, 3550, "(100)")
        .text(4800, 3550, "(110)")
        .text(6530, 3500, "(010)")
        .text(4750, 2250, "(111)")
        .text(5700, 1300, "(011)")
        .text(3550, 2050, "(101)")
        .text(3500, 350, "(001)")
        .text(1900, 2250, "(111)", { { 2230, 2050, 2120 } })
        .text(900, 1300, "(011)", { { 1290, 1050, 1120 } })
        .text(1800, 3550, "(110)", { { 3540, 1950, 2020 } })
        .text(80, 3500, "(010)", { { 3480, 230, 300 } })
        .text(1900, 4600, "(111)", { { 4590, 2050, 2120 }, { 4590, 2150, 2220 } })
        .text(950, 5600, "(011)", { { 5580, 1100, 1170 }, { 5580, 1200, 1270 } })
        .text(3550, 4800, "(101)", { { 4790, 3800, 3870 } })
        .text(3500, 6550, "(001)", { { 6540, 3720, 3790 } })
        .text(4750, 4600, "(111)", { { 4590, 5000, 5070 } })
        .text(5700, 5700, "(011)", { { 5680, 5930, 6000 } })
        .calls;
}

Calls hexSym()
{
    return Expect()
        .width("3")
        .arc(1000, 5500, 5000, 0, 0.5235987755982984)
        .line(1000, 5500, 6000, 5500)
        .line(1000, 5500, 5330.127018922193, 3000)
        .text(850, 5600, "(0001)")
        .text(5800, 5600, "(1010)", { { 5580, 6050, 6120 } })
        .text(5200, 2800, "(1120)", { { 2780, 5450, 5520 } })
        .crystalAxes()
        .calls;
}

Calls hexFull()
{
    return Expect()
        .width("5")
        .circle(3500, 3500, 3000)
        .line(500, 3500, 6500, 3500)
        .line(3500, 500, 3500, 6500)
        .line(2000, Near, 5000, Far)
        .line(2000, Far, 5000, Near)
        .line(Near, 2000, Far, 5000)
        .line(Near, 5000, Far, 2000)
        .text(3650, 3600, "(0001)")
        .text(6530, 3450, "(1010)", { { 3440, 6770, 6840 } })
        .text(6100, 1900, "(1120)", { { 1880, 6350, 6420 } })
        .text(5000, 700, "(0110)", { { 680, 5230, 5300 } })
        .text(3300, 300, "(1210)", { { 280, 3350, 3420 }, { 280, 3550, 3620 } })
        .text(1600, 700, "(1100)", { { 680, 1660, 1730 } })
        .text(400, 1900, "(2110)", { { 1880, 460, 530 } })
        .text(0, 3500, "(1010)", { { 3480, 50, 120 } })
        .text(400, 5000, "(1120)", { { 4980, 460, 530 }, { 4980, 560, 630 } })
        .text(3300, 6550, "(1210)", { { 6540, 3450, 3520 } })
        .text(1600, 6150, "(0110)", { { 6120, 1750, 1820 } })
        .text(5000, 6150, "(1100)", { { 6120, 5140, 5210 } })
        .text(6100, 5000, "(2110)", { { 4980, 6260, 6330 }, { 4980, 6360, 6430 } })
        .crystalAxes()
        .calls;
}

bool sameCall(const SurfaceCall& a, const SurfaceCall& b, double tolerance)
{
    if (a.kind != b.kind || a.text != b.text || a.values.size() != b.values.size())
        return false;
    for (qsizetype i = 0; i < a.values.size(); ++i)
        if (std::fabs(a.values[i] - b.values[i]) > tolerance)
            return false;
    return true;
}

void compareCalls(const Calls& got, const Calls& want, double tolerance = 1e-6)
{
    QCOMPARE(got.size(), want.size());
    for (qsizetype i = 0; i < got.size(); ++i)
        QVERIFY2(
            sameCall(got[i], want[i], tolerance), qPrintable(QStringLiteral("call %1").arg(i)));
}

Calls record(NetFn net, const QString& width)
{
    RecordingSurface s;
    net(s, width.toInt());
    return s.calls;
}

// The point at angle t of an arc call, y down on the surface.
std::array<double, 2> arcPoint(const SurfaceCall& arc, double t)
{
    return { arc.values[0] + arc.values[2] * std::cos(t),
        arc.values[1] - arc.values[2] * std::sin(t) };
}

} // namespace

class tst_nets : public QObject
{
    Q_OBJECT

private slots:
    void callList_data()
    {
        QTest::addColumn<NetFn>("net");
        QTest::addColumn<QString>("width");
        QTest::addColumn<int>("count");
        QTest::addColumn<Calls>("expected");
        QTest::newRow("cubic sym") << NetFn(DrawCubicSymNet) << "2" << 13 << cubicSym();
        QTest::newRow("cubic full") << NetFn(DrawCubicFullNet) << "1" << 74 << cubicFull();
        QTest::newRow("hex sym") << NetFn(DrawHexSymNet) << "3" << 32 << hexSym();
        QTest::newRow("hex full") << NetFn(DrawHexFullNet) << "5" << 79 << hexFull();
    }

    void callList()
    {
        QFETCH(NetFn, net);
        QFETCH(QString, width);
        QFETCH(int, count);
        QFETCH(Calls, expected);
        const Calls calls = record(net, width);
        QCOMPARE(calls.size(), count);
        compareCalls(calls, expected);
    }

    void invariants_data() { callList_data(); }

    void invariants()
    {
        QFETCH(NetFn, net);
        QFETCH(QString, width);
        RecordingSurface s;
        net(s, width.toInt());
        const Calls once = s.calls;
        QCOMPARE(once.first().kind, SurfaceCall::DrawWidth);
        QCOMPARE(once.first().text, width);
        for (qsizetype i = 1; i < once.size(); ++i) {
            QVERIFY(once[i].kind != SurfaceCall::DrawWidth);
            QVERIFY(once[i].kind != SurfaceCall::Cls && once[i].kind != SurfaceCall::FillStyle);
            if (once[i].kind == SurfaceCall::Arc) {
                const double start = once[i].values[3], end = once[i].values[4];
                QVERIFY(0 <= start && start < end && end <= 2 * Pi);
            }
        }
        // No clearing and no state of its own: a second drawing repeats the first.
        net(s, width.toInt());
        compareCalls(s.calls, once + once, 0);
    }

    void coincidences()
    {
        auto near = [](std::array<double, 2> p, double x, double y) {
            return std::hypot(p[0] - x, p[1] - y) < 1e-6;
        };
        auto onRim = [](std::array<double, 2> p) {
            return std::fabs(std::hypot(p[0] - 3500, p[1] - 3500) - 3000) < 1e-6;
        };
        auto ends = [](const SurfaceCall& arc) {
            return std::array { arcPoint(arc, arc.values[3]), arcPoint(arc, arc.values[4]) };
        };

        // The edge (110)-(111) rises from (110) to the end of the (100)-(111) edge.
        const Calls cs = record(DrawCubicSymNet, "1");
        QVERIFY(near(ends(cs[3])[0], 6000, 5500));
        QVERIFY(near(ends(cs[3])[1], cs[2].values[2], cs[2].values[3]));

        // The left great circle, split at angle 0, meets itself at (110)
        // inside the rim; every other arc end lies on the primitive circle.
        const Calls cf = record(DrawCubicFullNet, "1");
        QVERIFY(near(ends(cf[6])[0], 4742.640687119286, 3500));
        QVERIFY(near(ends(cf[7])[1], 4742.640687119286, 3500));
        QVERIFY(onRim(ends(cf[6])[1]) && onRim(ends(cf[7])[0]));
        for (int i = 8; i <= 10; ++i)
            QVERIFY(onRim(ends(cf[i])[0]) && onRim(ends(cf[i])[1]));

        const Calls hs = record(DrawHexSymNet, "1");
        QVERIFY(near(ends(hs[1])[1], 5330.127018922193, 3000));
        QVERIFY(near(ends(hs[1])[1], hs[3].values[2], hs[3].values[3]));
    }

    void dispatch_data()
    {
        QTest::addColumn<int>("crystalSystem");
        QTest::addColumn<int>("symmetryMode");
        QTest::addColumn<NetFn>("net");
        QTest::newRow("cubic, symmetry") << 1 << 1 << NetFn(DrawCubicSymNet);
        QTest::newRow("cubic, mode 2") << 1 << 2 << NetFn(DrawCubicFullNet);
        QTest::newRow("cubic, mode 0") << 1 << 0 << NetFn(DrawCubicFullNet);
        QTest::newRow("cubic, mode 5") << 1 << 5 << NetFn(DrawCubicFullNet);
        QTest::newRow("hex, symmetry") << 2 << 1 << NetFn(DrawHexSymNet);
        QTest::newRow("hex, mode 2") << 2 << 2 << NetFn(DrawHexFullNet);
        QTest::newRow("hex, mode 0") << 2 << 0 << NetFn(DrawHexFullNet);
        QTest::newRow("hex, mode -1") << 2 << -1 << NetFn(DrawHexFullNet);
        QTest::newRow("before start-up") << 0 << 1 << NetFn(nullptr);
        QTest::newRow("system 3") << 3 << 2 << NetFn(nullptr);
        QTest::newRow("system -1") << -1 << 1 << NetFn(nullptr);
    }

    void dispatch()
    {
        QFETCH(int, crystalSystem);
        QFETCH(int, symmetryMode);
        QFETCH(NetFn, net);
        RecordingSurface s;
        if (const ViewRow* row = FindView(int16_t(crystalSystem), int16_t(symmetryMode)))
            DrawLayers(s, row->scene, 4);
        compareCalls(s.calls, net ? record(net, QStringLiteral("4")) : Calls(), 0);
    }

    // Every hexagonal label, read with its bars as minus signs, is a
    // four-index symbol with h + k + i = 0 naming the pole at its place.
    void hexLabelRule_data()
    {
        QTest::addColumn<NetFn>("net");
        QTest::addColumn<double>("cx");
        QTest::addColumn<double>("cy");
        QTest::addColumn<int>("rimLabels");
        QTest::newRow("hex sym") << NetFn(DrawHexSymNet) << 1000.0 << 5500.0 << 2;
        QTest::newRow("hex full") << NetFn(DrawHexFullNet) << 3500.0 << 3500.0 << 12;
    }

    void hexLabelRule()
    {
        QFETCH(NetFn, net);
        QFETCH(double, cx);
        QFETCH(double, cy);
        QFETCH(int, rimLabels);
        const Calls calls = record(net, "1");
        const QRegularExpression symbol(QStringLiteral("^\\((\\d)(\\d)(\\d)(\\d)\\)$"));
        int rim = 0;
        for (qsizetype p = 2; p < calls.size(); ++p) {
            const auto m = symbol.match(calls[p].text);
            if (calls[p].kind != SurfaceCall::Print || !m.hasMatch())
                continue;
            const double x = calls[p - 2].values[0], y = calls[p - 1].values[0];
            std::array<int, 4> index;
            for (int n = 0; n < 4; ++n)
                index[n] = m.captured(n + 1).toInt();
            for (qsizetype b = p + 1; b < calls.size() && calls[b].kind == SurfaceCall::Line; ++b) {
                const auto& v = calls[b].values;
                if (v[1] != v[3] || v[1] >= y || v[1] < y - 30)
                    break; // not a bar: the figure goes on
                const double offset = v[0] - x - 50;
                const int n = qRound(offset / 100);
                QVERIFY2(n >= 0 && n < 4 && std::fabs(offset - 100 * n) <= 30,
                    qPrintable(calls[p].text));
                index[n] = -index[n];
            }
            const auto [h, k, i, l] = index;
            QVERIFY2(h + k + i == 0, qPrintable(calls[p].text));
            if (h == 0 && k == 0) {
                QVERIFY(std::hypot(x - cx, y - cy) < 300);
                continue;
            }
            ++rim;
            QCOMPARE(l, 0);
            const Vector3 normal = DocumentedViews()[3].scene.projector().planeNormal(
                { int16_t(h), int16_t(k), int16_t(l) });
            const double pole = std::atan2(normal[2], normal[1]);
            const double label = std::atan2(cy - (y + 100), x + 300 - cx);
            const double apart = std::remainder(pole - label, 2 * Pi);
            QVERIFY2(std::fabs(apart) < Pi / 12, qPrintable(calls[p].text));
        }
        QCOMPARE(rim, rimLabels);
    }
};

QTEST_GUILESS_MAIN(tst_nets)
#include "tst_nets.moc"
