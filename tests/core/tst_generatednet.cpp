#include "RecordingSurface.h"

#include "crystal/Families.h"
#include "figure/GeneratedNet.h"
#include "figure/PoleLabels.h"
#include "plotting/DisplayText.h"
#include "projection/CurvePath.h"
#include "projection/Facing.h"
#include "projection/PaperNet.h"
#include "scene/DocumentedViews.h"
#include "scene/DrawPicture.h"

#include <QRectF>
#include <QSet>
#include <QTest>
#include <cmath>
#include <map>
#include <numeric>

using namespace Qt::StringLiterals;

using Calls = QVector<SurfaceCall>;

namespace {

const Lattice Cubic = Lattice::UnitCubic();
const Lattice Hexagonal = Lattice::IdealHexagonal();

Scene along(
    const Lattice& lattice, const Vector3& centre, const Vector3& up, NetOptions options = {})
{
    return FreeScene(lattice, *Orientation(lattice, centre, up), options);
}

Calls record(const Scene& view, const QString& width = QStringLiteral("2"))
{
    RecordingSurface s;
    DrawLayers(s, view, width.toInt());
    return s.calls;
}

// A label read back as the font is assumed: its texts' boxes, and its
// numbers with a bar over all of a number's digits as its minus sign.
struct Label
{
    std::vector<int> numbers;
    std::vector<std::array<double, 2>> barSpans;
    std::vector<QRectF> boxes;
    QRectF box;
};

// The labels in drawing order; none at all when a bar is over no number.
std::vector<Label> readLabels(const Calls& calls)
{
    using namespace LabelFont;
    std::vector<Label> labels;
    double barY = 0.0;
    for (qsizetype n = 2; n < calls.size(); ++n) {
        const SurfaceCall& call = calls[n];
        const auto& v = call.values;
        if (call.kind == SurfaceCall::Print) {
            const double x = calls[n - 2].values[0], y = calls[n - 1].values[0];
            const bool opens = call.text.startsWith(QLatin1Char('('));
            if (opens)
                labels.emplace_back();
            Label& label = labels.back();
            QString digits = call.text;
            digits.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
            const double first = x + (opens ? Paren : 0.0);
            const double width = first - x + Digit * double(digits.size())
                + (call.text.endsWith(QLatin1Char(')')) ? Paren : 0.0);
            label.boxes.push_back(QRectF(x, y + LabelTop, width, LabelBottom - LabelTop));
            label.box |= label.boxes.back();
            barY = y - BarRise;
            // One text of one-digit numbers, or a text for each number.
            const qsizetype length = opens && call.text.endsWith(QLatin1Char(')')) ? 1 : 99;
            for (qsizetype d = 0; d < digits.size(); d += length) {
                const QString number = digits.mid(d, length);
                label.numbers.push_back(number.toInt());
                label.barSpans.push_back({ first + Digit * double(d),
                    first + Digit * double(d + number.size() - 1) + BarLength });
            }
        } else if (call.kind == SurfaceCall::Line && v[1] == barY && v[3] == barY) {
            Label& label = labels.back();
            const auto at = std::find(
                label.barSpans.begin(), label.barSpans.end(), std::array<double, 2> { v[0], v[2] });
            if (at == label.barSpans.end())
                return {};
            int& number = label.numbers[std::size_t(at - label.barSpans.begin())];
            number = -number;
        }
    }
    return labels;
}

// The recorded paths' points, every piece sampled at a twentieth of a pixel.
std::vector<TwipsPoint> pathPoints(const Calls& calls)
{
    std::vector<TwipsPoint> points;
    for (const SurfaceCall& c : calls) {
        if (c.kind != SurfaceCall::Path)
            continue;
        const auto& v = c.values;
        TwipsPoint a { v[0], v[1] };
        points.push_back(a);
        for (qsizetype n = 2; n + 7 <= v.size(); n += 7) {
            const TwipsPoint b { v[n + 2], v[n + 3] }, e { v[n + 4], v[n + 5] },
                d { v[n], v[n + 1] };
            const bool line = v[n + 6] == double(PathPiece::Kind::Line);
            const int steps = int(std::hypot(d.x - a.x, d.y - a.y)) + 1;
            for (int i = 1; i <= steps; ++i) {
                const double t = double(i) / steps, u = 1 - t;
                points.push_back(line ? TwipsPoint { a.x + t * (d.x - a.x), a.y + t * (d.y - a.y) }
                                      : TwipsPoint { u * u * u * a.x + 3 * u * u * t * b.x
                                              + 3 * u * t * t * e.x + t * t * t * d.x,
                                          u * u * u * a.y + 3 * u * u * t * b.y
                                              + 3 * u * t * t * e.y + t * t * t * d.y });
            }
            a = d;
        }
    }
    return points;
}

bool onTrace(const std::vector<TwipsPoint>& points, TwipsPoint p)
{
    return std::any_of(points.begin(), points.end(),
        [&](TwipsPoint q) { return std::hypot(p.x - q.x, p.y - q.y) <= CurveTolerance; });
}

} // namespace

Q_DECLARE_METATYPE(Scene)

class tst_GeneratedNet : public QObject
{
    Q_OBJECT

private slots:
    // Along [100] the dots lie where the documented cubic full view puts
    // its poles: at limit 1 its 17, both ends of a rim pole counted. They
    // are one pixel wide whatever the line width, which is set again last.
    void dotsAtDocumentedPoles()
    {
        const Calls calls = record(
            along(Cubic, { 1, 0, 0 }, { 0, 0, 1 }, { 1, false, false }), QStringLiteral("7"));
        QVector<TwipsPoint> dots;
        QString width;
        int16_t fill = 1;
        for (const SurfaceCall& c : calls) {
            if (c.kind == SurfaceCall::DrawWidth)
                width = c.text;
            fill = c.kind == SurfaceCall::FillStyle ? int16_t(c.values[0]) : fill;
            if (c.kind == SurfaceCall::Circle && fill == 0) {
                QCOMPARE(width, QStringLiteral("1"));
                dots.push_back({ c.values[0], c.values[1] });
            }
        }
        QCOMPARE(fill, 1);
        QCOMPARE(calls.last().text, QStringLiteral("7"));
        QCOMPARE(dots.size(), 17);
        const double r = 1500 * 2 / (1 + std::sqrt(3.0)); // (111) from the centre
        for (const TwipsPoint want : { TwipsPoint { 3500, 3500 }, { 4742.640687119285, 3500 },
                 { 3500 + r, 3500 - r }, { 3500 - r, 3500 + r }, { 500, 3500 }, { 3500, 500 },
                 { 5621.320343559642, 5621.320343559642 } })
            QVERIFY(std::any_of(dots.begin(), dots.end(),
                [&](TwipsPoint d) { return std::hypot(d.x - want.x, d.y - want.y) < 1e-6; }));
    }

    // Labels stay inside the picture and apart, name with their bars the end
    // of the normal facing the viewer and stand beside its pole; the planes
    // with indices up to 1 are all labelled.
    void labels_data()
    {
        QTest::addColumn<Scene>("view");
        QTest::addColumn<int>("minimum");
        QTest::newRow("cubic [100], limit 3")
            << along(Cubic, { 1, 0, 0 }, { 0, 0, 1 }, { 3, true, false }) << 90;
        QTest::newRow("cubic [123], limit 6")
            << along(Cubic, { 1, 2, 3 }, { 1, 1, -1 }, { 6, true, false }) << 150;
        QTest::newRow("cubic [0 1 10], limit 10, two digits")
            << along(Cubic, { 0, 1, 10 }, { 1, 0, 0 }, { 10, false, false }) << 150;
        QTest::newRow("hexagonal [001], limit 4")
            << along(Hexagonal, { 0, 0, 1 }, { 0, 1, 0 }, { 4, true, false }) << 60;
        QTest::newRow("hexagonal [211], limit 3")
            << along(Hexagonal, { 2, 1, 1 }, { 0, 0, 1 }, { 3, true, false }) << 60;
    }

    void labels()
    {
        QFETCH(Scene, view);
        QFETCH(int, minimum);
        const bool four = view.crystal.fourIndices();
        const std::vector<Label> labels = readLabels(record(view));
        QVERIFY2(int(labels.size()) >= minimum, qPrintable(QString::number(labels.size())));
        QVector<QRectF> boxes;
        QSet<QString> named;
        bool apart = false;
        for (const Label& label : labels) {
            const std::vector<int>& n = label.numbers;
            QCOMPARE(int(n.size()), four ? 4 : 3);
            QVERIFY(!four || n[2] == -(n[0] + n[1]));
            const Index3 index { int16_t(n[0]), int16_t(n[1]), int16_t(n.back()) };
            const Vector3 normal = view.projector().planeNormal(index);
            QVERIFY(normal[0] >= -1e-9);
            const TwipsPoint pole = view.projector().toPicture(normal);
            QVERIFY(label.box.adjusted(-60, -60, 60, 60).contains(pole.x, pole.y));
            QVERIFY(QRectF(0, 0, 7000, 7000).contains(label.box));
            for (const QRectF& box : label.boxes) {
                QVERIFY(std::none_of(boxes.begin(), boxes.end(),
                    [&](const QRectF& b) { return b.intersects(box); }));
                boxes.push_back(box);
            }
            apart = apart || label.boxes.size() > 1;
            named.insert(IndexText(IndexKind::Plane, index, false));
        }
        QCOMPARE(apart, view.crystal.net.limit == 10);
        for (int h = -1; h <= 1; ++h)
            for (int k = -1; k <= 1; ++k)
                for (int l = -1; l <= 1; ++l) {
                    const Index3 index { int16_t(h), int16_t(k), int16_t(l) };
                    if ((four && std::abs(h + k) > 1) || std::gcd(std::gcd(h, k), l) != 1
                        || view.projector().planeNormal(index)[0] < 1e-9)
                        continue;
                    QVERIFY2(named.contains(IndexText(IndexKind::Plane, index, false)),
                        qPrintable(IndexText(IndexKind::Plane, index, four)));
                }
    }

    // The zone circles, in either projection, run through the poles of
    // their zones' planes and stay inside the primitive.
    void zoneCircles_data()
    {
        QTest::addColumn<Scene>("view");
        QTest::newRow("cubic [100]") << along(Cubic, { 1, 0, 0 }, { 0, 0, 1 });
        QTest::newRow("cubic [123]") << along(Cubic, { 1, 2, 3 }, { 1, 1, -1 });
        QTest::newRow("cubic, turned")
            << FreeScene(Cubic, Rotation::AboutAxis({ 1, 2, 0 }, 0.3), {});
        QTest::newRow("hexagonal [211]") << along(Hexagonal, { 2, 1, 1 }, { 0, 0, 1 });
        Scene equalArea = along(Cubic, { 1, 2, 3 }, { 1, 1, -1 });
        equalArea.frame.kind = ProjectionKind::EqualArea;
        QTest::newRow("cubic [123], equal-area") << equalArea;
    }

    void zoneCircles()
    {
        QFETCH(Scene, view);
        RecordingSurface s;
        ZoneCirclesLayer.draw(s, view.projector(), {});
        const std::vector<TwipsPoint> points = pathPoints(s.calls);
        for (const TwipsPoint p : points)
            QVERIFY(std::hypot(p.x - 3500, p.y - 3500) <= 3000 + CurveTolerance);
        const bool hexagonalAxes = view.crystal.fourIndices();
        for (int h = -2; h <= 2; ++h)
            for (int k = -2; k <= 2; ++k)
                for (int l = -2; l <= 2; ++l) {
                    bool zoned = false;
                    for (int u = -1; u <= 1; ++u)
                        for (int v = -1; v <= 1; ++v)
                            for (int w = -1; w <= 1; ++w)
                                zoned = zoned
                                    || ((u || v || w) && (!hexagonalAxes || std::abs(u - v) <= 1)
                                        && h * u + k * v + l * w == 0);
                    const TwipsPoint pole
                        = view.projector().planePole({ int16_t(h), int16_t(k), int16_t(l) });
                    // The zone seen face-on is the primitive, drawn by its own layer.
                    const bool onRim
                        = std::fabs(std::hypot(pole.x - 3500, pole.y - 3500) - 3000) < 1e-6;
                    if ((h || k || l) && zoned)
                        QVERIFY(onRim || onTrace(points, pole));
                }
    }

    // In the stereographic net, along [100], [001]'s zone is the
    // horizontal diameter, every other curve is made of true arcs or is a
    // diameter, and every line is an overbar.
    void netLines()
    {
        bool horizontal = false;
        for (const SurfaceCall& c : record(along(Cubic, { 1, 0, 0 }, { 0, 0, 1 }))) {
            const auto& v = c.values;
            if (c.kind == SurfaceCall::Line) {
                const double length = std::hypot(v[2] - v[0], v[3] - v[1]);
                QVERIFY(v[1] == v[3] && length > 69.999 && length < 170.001);
            }
            if (c.kind != SurfaceCall::Path)
                continue;
            const bool diameter = v.size() == 9 && v[8] == double(PathPiece::Kind::Line)
                && std::fabs(std::hypot(v[2] - v[0], v[3] - v[1]) - 6000) < 1e-6;
            for (qsizetype n = 8; n < v.size(); n += 7)
                QVERIFY(diameter || v[n] == double(PathPiece::Kind::Arc));
            horizontal = horizontal || (diameter && v[1] == 3500 && v[3] == 3500);
        }
        QVERIFY(horizontal);
    }

    // The paper's net: its 178 curves, the faint ones first and one pixel
    // wide, the strong ones at the line width; none moves as the crystal
    // turns, and in the equal-area projection it is the Schmidt net.
    void wulffNet()
    {
        for (const ProjectionKind kind :
            { ProjectionKind::Stereographic, ProjectionKind::EqualArea }) {
            const NetOptions options { 2, true, true };
            Scene still = along(Cubic, { 1, 2, 3 }, { 1, 1, -1 }, options);
            Scene turned = FreeScene(Cubic, Rotation::AboutAxis({ 1, 0, 0 }, 1), options);
            still.frame.kind = turned.frame.kind = kind;
            RecordingSurface s;
            WulffNetLayer.draw(s, still.projector(), { 3, 2, {} });
            QVector<double> tones;
            QStringList widths;
            QVector<SurfaceCall> paths;
            for (const SurfaceCall& c : s.calls) {
                if (c.kind == SurfaceCall::Tone)
                    tones.push_back(c.values[0]);
                if (c.kind == SurfaceCall::DrawWidth)
                    widths.push_back(c.text);
                if (c.kind == SurfaceCall::Path)
                    paths.push_back(c);
            }
            QCOMPARE(tones, (QVector<double> { double(::Tone::Faint), double(::Tone::Full) }));
            QCOMPARE(widths, (QStringList { u"1"_s, u"3"_s }));
            QCOMPARE(paths.size(), 178);
            const std::vector<NetCurve> net = PaperNet(still.frame, kind);
            QCOMPARE(paths[0].values[0], net[0].path.start.x);
            for (const Scene* view : { &still, &turned }) {
                QVector<QVector<double>> drawn;
                for (const SurfaceCall& c : record(*view, u"3"_s))
                    if (c.kind == SurfaceCall::Path && drawn.size() < paths.size())
                        drawn.push_back(c.values);
                for (qsizetype n = 0; n < paths.size(); ++n)
                    QCOMPARE(drawn[n], paths[n].values);
            }
        }
    }

    // A line-width text that is no width keeps the width there was: the
    // strong arcs and the markers after the fine lines and dots take it.
    // The free view's marks stand apart from the net's dots at the smallest
    // plot size, a plane unlike a direction, each over a cleared disc and,
    // on request, with its index in bold; the documented views' marks stay
    // as they were.
    void figureMarks()
    {
        PoleStore store;
        store.append({ IndexKind::Plane, { 1, 1, 1 } });
        store.append({ IndexKind::Direction, { 1, 0, 0 } });
        store.append({ IndexKind::Direction, { -1, 0, 0 } });
        RecordingSurface s;
        PlotEntries(s, { along(Cubic, { 1, 2, 3 }, { 1, 1, -1 }), { 1, 10, true } }, store);
        QStringList seen;
        for (const SurfaceCall& call : s.calls) {
            if (call.kind == SurfaceCall::Circle || call.kind == SurfaceCall::KnockOut)
                seen << (call.kind == SurfaceCall::KnockOut ? u"clear "_s : u"mark "_s)
                        + QString::number(call.values[2]);
            else if (call.kind == SurfaceCall::FillStyle && call.values[0] == 0)
                seen << u"filled"_s;
            else if (call.kind == SurfaceCall::TextStyle)
                seen << u"style "_s + QString::number(call.values[0]);
            else if (call.kind == SurfaceCall::Print)
                seen << call.text;
        }
        const QStringList expected { u"clear 70"_s, u"clear 70"_s, u"clear 70"_s, u"filled"_s,
            u"mark 45"_s, u"mark 45"_s, u"filled"_s, u"mark 15.75"_s, u"mark 45"_s, u"style 2"_s,
            u"(111)"_s, u"[100]"_s, u"[100]"_s, u"style 0"_s };
        QCOMPARE(seen, expected);

        RecordingSurface documented;
        PlotEntries(documented, { FindView(1, 2)->scene, { 1, 10, true } }, store);
        QVERIFY(std::none_of(
            documented.calls.begin(), documented.calls.end(), [](const SurfaceCall& call) {
                return call.kind == SurfaceCall::KnockOut || call.kind == SurfaceCall::TextStyle;
            }));
    }
    void unusableWidthKeepsTheWidth()
    {
        RecordingSurface s;
        const int kept = ReadLineWidth(QStringLiteral("101")).value_or(5);
        const Scene view = along(Cubic, { 1, 2, 3 }, { 1, 1, -1 }, { 2, true, true });
        DrawLayers(s, view, kept);
        int width = 0;
        double tone = double(::Tone::Full);
        for (const SurfaceCall& c : s.calls) {
            if (c.kind == SurfaceCall::DrawWidth)
                width = c.text.toInt();
            if (c.kind == SurfaceCall::Tone)
                tone = c.values[0];
            if (c.kind == SurfaceCall::Path && tone == double(::Tone::Full))
                QCOMPARE(width, 5);
        }
        QCOMPARE(width, 5);
    }

    // The reflections a space group lets exist, each plane at its lowest
    // allowed order and labelled so, within the limit.
    void absences_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("fcc") << "F m -3 m" << 3
                             << QStringList { "(1 1 1)", "(2 0 0)", "(2 2 0)", "(3 1 1)" }
                             << QStringList { "(1 0 0)", "(1 1 0)", "(2 1 0)", "(2 2 2)" };
        QTest::newRow("bcc") << "I m -3 m" << 2
                             << QStringList { "(1 1 0)", "(2 0 0)", "(2 1 1)", "(2 2 2)" }
                             << QStringList { "(1 0 0)", "(1 1 1)" };
        QTest::newRow("diamond") << "F d -3 m" << 4
                                 << QStringList { "(1 1 1)", "(2 2 0)", "(3 1 1)", "(4 0 0)" }
                                 << QStringList { "(2 0 0)", "(1 0 0)", "(2 2 2)" };
        QTest::newRow("hcp") << "P 63/m m c" << 2
                             << QStringList { "(0 0 0 2)", "(1 0 -1 0)", "(1 0 -1 1)" }
                             << QStringList { "(0 0 0 1)", "(1 1 -2 1)" };
    }
    void absences()
    {
        QFETCH(QString, group);
        QFETCH(int, limit);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, absent);
        const SpaceGroup g = std::get<SpaceGroup>(SpaceGroup::FromText(group));
        const Lattice& lattice = g.system() == LatticeSystem::Cubic ? Cubic : Hexagonal;
        const Scene view = along(lattice, { 1, 2, 3 }, { 1, 1, -1 });
        QSet<QString> labels;
        for (const NetPole& pole : NetPoles(view.projector(), limit, &g)) {
            const Indices up = FirstPositive({ pole.index[0], pole.index[1], pole.index[2] });
            labels << IndexText(IndexKind::Plane,
                { int16_t(up[0]), int16_t(up[1]), int16_t(up[2]) },
                UsesFourIndices(lattice.system()));
        }
        for (const QString& label : shown)
            QVERIFY2(labels.contains(label), qPrintable(label));
        for (const QString& label : absent)
            QVERIFY2(!labels.contains(label), qPrintable(label));

        // The scene's crystal draws them when its net asks for them.
        Crystal crystal = view.crystal;
        crystal.group = g;
        crystal.net = { limit, false, false, true };
        const auto dots = [](const Calls& calls) {
            return std::count_if(calls.begin(), calls.end(), [](const SurfaceCall& c) {
                return c.kind == SurfaceCall::Circle && c.values[2] < 10.0;
            });
        };
        const Calls filtered = record(FreeScene(crystal));
        crystal.net.absences = false;
        QVERIFY(dots(filtered) < dots(record(FreeScene(crystal))));
    }
};

QTEST_GUILESS_MAIN(tst_GeneratedNet)
#include "tst_generatednet.moc"
