#include "Pixels.h"
#include "RecordingSurface.h"
#include "figure/PlotPoles.h"
#include "geometry/Geometry.h"
#include "painting/LabelImages.h"
#include "painting/PaintedMarks.h"
#include "painting/PainterSurface.h"
#include "painting/PersistentPicture.h"
#include "plotting/DisplayText.h"
#include "plotting/DrawCommand.h"
#include "poles/EntryGeometry.h"
#include "poles/PoleStore.h"
#include "projection/Facing.h"
#include "scene/DocumentedViews.h"
#include "scene/DrawPicture.h"

#include <QFontMetricsF>
#include <QtTest>
#include <cmath>

using namespace Pixels;

namespace {

constexpr int PictureWidth = 7125;
constexpr int PictureHeight = 7000;
const QColor Background(250, 245, 235);

bool backgroundAt(const QImage& image, double xTwips, double yTwips)
{
    const QPoint p = DevicePixel(image, xTwips, yTwips);
    return image.pixelColor(p) == Background;
}

int darkRunInColumn(const QImage& image, int x)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        count += DarkAt(image, x, y) ? 1 : 0;
    return count;
}

struct Surface
{
    explicit Surface(qreal ratio = 1.0)
        : surface(PictureWidth, PictureHeight, ratio)
    {
        surface.setBackground(Background);
        surface.Cls();
    }
    PainterSurface surface;
};

} // namespace

Q_DECLARE_METATYPE(Scene)

class tst_PainterSurface : public QObject
{
    Q_OBJECT

private slots:
    void imageSize_data();
    void imageSize();
    void clsFillsBackgroundAndResetsPosition();
    void drawWidthText_data();
    void drawWidthText();
    void lineThickness_data();
    void lineThickness();
    void arcRunsCounterclockwise_data();
    void arcRunsCounterclockwise();
    void circleFill();
    void discMatchesPainter_data();
    void discMatchesPainter();
    void markCentreIsWhereTheMarkLies_data();
    void markCentreIsWhereTheMarkLies();
    void printTopLeft();
    void labelFontFitsOverbars();
    void haloedLabelMatchesPainter_data();
    void haloedLabelMatchesPainter();
    void overbarsJustAboveTheirDigits_data();
    void overbarsJustAboveTheirDigits();
    void netsWithPoles_data();
    void netsWithPoles();
    void paintedMarksKnowRepeats();
    void persistentPictureMatchesWholeDraw_data();
    void persistentPictureMatchesWholeDraw();
    void inkPaintsLinesAndMarkers_data();
    void inkPaintsLinesAndMarkers();
    void faintTone_data();
    void faintTone();
};

void tst_PainterSurface::imageSize_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QSize>("pixels");
    QTest::newRow("1x") << qreal(1.0) << QSize(475, 467);
    QTest::newRow("2x") << qreal(2.0) << QSize(950, 934);
    QTest::newRow("1.5x") << qreal(1.5) << QSize(713, 701);
}

void tst_PainterSurface::imageSize()
{
    QFETCH(qreal, ratio);
    QFETCH(QSize, pixels);
    PainterSurface surface(PictureWidth, PictureHeight, ratio);
    QCOMPARE(surface.image().size(), pixels);
    QCOMPARE(surface.image().devicePixelRatio(), ratio);
    QCOMPARE(surface.image().deviceIndependentSize().toSize(), QSize(475, 467));

    // A new density reallocates the image, and drawing still lands in place.
    surface.setDevicePixelRatio(1.0);
    QCOMPARE(surface.image().size(), QSize(475, 467));
    surface.setDevicePixelRatio(ratio);
    surface.SetDrawWidth(1);
    surface.Line(1000, 3000, 6000, 3000);
    QVERIFY(DarkNear(surface.image(), 3500, 3000));
}

void tst_PainterSurface::clsFillsBackgroundAndResetsPosition()
{
    Surface s;
    s.surface.SetDrawWidth(3);
    s.surface.Line(0, 0, 7000, 7000);
    s.surface.SetCurrentX(3000);
    s.surface.SetCurrentY(3000);
    s.surface.Cls();
    const QImage& cleared = s.surface.image();
    for (int y = 0; y < cleared.height(); y += 7)
        for (int x = 0; x < cleared.width(); x += 7)
            QCOMPARE(cleared.pixelColor(x, y), Background);

    // Text printed right after Cls starts at the top-left corner.
    s.surface.Print("(1)");
    const QImage& printed = s.surface.image();
    bool inCorner = false;
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 20; ++x)
            inCorner = inCorner || DarkAt(printed, x, y);
    QVERIFY(inCorner);
    QVERIFY(backgroundAt(printed, 3000, 3000));
}

void tst_PainterSurface::drawWidthText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("one") << "1" << 1;
    QTest::newRow("blanks around") << " 5 " << 5;
    QTest::newRow("largest") << "100" << 100;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("empty") << "" << 3;
    QTest::newRow("blanks") << "   " << 3;
    QTest::newRow("letters") << "abc" << 3;
    QTest::newRow("zero") << "0" << 3;
    QTest::newRow("negative") << "-1" << 3;
    QTest::newRow("plus sign") << "+4" << 3;
    QTest::newRow("decimal") << "2.5" << 3;
    QTest::newRow("exponent") << "1e9" << 3;
    QTest::newRow("too wide") << "101" << 3;
    QTest::newRow("overflow") << "99999999999" << 3;
    QTest::newRow("digits then letters") << "5px" << 3;
    QTest::newRow("full-width digit") << QString::fromUtf8("５") << 3;
    QTest::newRow("inner blank") << "1 2" << 3;
}

void tst_PainterSurface::drawWidthText()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    Surface s;
    s.surface.SetDrawWidth(3);
    s.surface.SetDrawWidth(ReadLineWidth(text).value_or(0));
    QCOMPARE(s.surface.drawWidth(), expected);
}

void tst_PainterSurface::lineThickness_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("pixels");
    QTest::newRow("1") << "1" << qreal(1.0) << 1;
    QTest::newRow("2") << "2" << qreal(1.0) << 2;
    QTest::newRow("5") << "5" << qreal(1.0) << 5;
    QTest::newRow("5 at 2x") << "5" << qreal(2.0) << 10;
}

void tst_PainterSurface::lineThickness()
{
    QFETCH(QString, width);
    QFETCH(qreal, ratio);
    QFETCH(int, pixels);
    Surface s(ratio);
    s.surface.SetDrawWidth(width.toInt());
    s.surface.Line(1000, 3010, 6000, 3010);
    s.surface.Line(3010, 5000, 3010, 6500);
    const QImage& image = s.surface.image();
    const int column = DevicePixel(image, 2000, 0).x();
    QVERIFY2(std::abs(darkRunInColumn(image, column) - pixels) <= 1,
        qPrintable(QString::number(darkRunInColumn(image, column))));
    // The vertical line is as wide as the horizontal one is high.
    const QImage rotated = image.transformed(QTransform().rotate(90));
    const int row = DevicePixel(image, 0, 5800).y();
    QVERIFY(std::abs(darkRunInColumn(rotated, rotated.width() - 1 - row) - pixels) <= 1);
}

void tst_PainterSurface::arcRunsCounterclockwise_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::newRow("0 to pi/4") << 0.0 << Pi / 4;
    QTest::newRow("first quadrant") << 0.1 << Pi / 2 - 0.1;
    QTest::newRow("second quadrant") << Pi / 2 + 0.1 << Pi - 0.1;
    QTest::newRow("lower half") << Pi + 0.2 << 2 * Pi - 0.2;
    QTest::newRow("last quadrant") << 3 * Pi / 2 + 0.1 << 2 * Pi;
}

void tst_PainterSurface::arcRunsCounterclockwise()
{
    QFETCH(double, start);
    QFETCH(double, end);
    const double cx = 3500;
    const double cy = 3500;
    const double r = 2500;
    auto at = [&](double t) { return QPointF(cx + r * std::cos(t), cy - r * std::sin(t)); };

    Surface s;
    s.surface.SetDrawWidth(1);
    s.surface.Arc(cx, cy, r, start, end);
    const QImage& image = s.surface.image();
    const double middle = (start + end) / 2;
    for (double t : { start + 0.01, middle, end - 0.01 })
        QVERIFY2(DarkNear(image, at(t).x(), at(t).y()), qPrintable(QString::number(t)));
    // Not the mirrored arc, and not the clockwise way round.
    QVERIFY(!DarkNear(image, at(-middle).x(), at(-middle).y()));
    QVERIFY(!DarkNear(image, at(middle + Pi).x(), at(middle + Pi).y()));
}

void tst_PainterSurface::circleFill()
{
    Surface s;
    s.surface.SetDrawWidth(1);
    s.surface.SetFillStyle(0);
    s.surface.Circle(2000, 2000, 50);
    s.surface.SetFillStyle(1);
    s.surface.Circle(5000, 2000, 50);
    const QImage& image = s.surface.image();
    QVERIFY(DarkAt(image, DevicePixel(image, 2000, 2000).x(), DevicePixel(image, 2000, 2000).y()));
    QVERIFY(backgroundAt(image, 5000, 2000));
    QVERIFY(DarkNear(image, 5050, 2000, 1));
    QVERIFY(DarkNear(image, 5000, 1950, 1));
    QVERIFY(backgroundAt(image, 2000, 2200));
}

void tst_PainterSurface::discMatchesPainter_data()
{
    QTest::addColumn<double>("radius");
    QTest::addColumn<QString>("width");
    QTest::addColumn<qreal>("ratio");
    for (double radius : { 10.0, 30.0, 50.0, 2000.0 })
        for (const char* width : { "1", "2", "5" })
            for (qreal ratio : { 1.0, 1.5, 2.0 })
                QTest::addRow("r%g w%s x%g", radius, width, ratio)
                    << radius << QString(width) << ratio;
}

void tst_PainterSurface::discMatchesPainter()
{
    QFETCH(double, radius);
    QFETCH(QString, width);
    QFETCH(qreal, ratio);
    // Fractional places and overlapping discs, as real poles are; then discs
    // cut by the image's edges or lying wholly outside it. QPainter shades
    // a clipped small disc's rim a little differently, hence the looser
    // bound there; a misplaced or miscut disc differs by far more.
    const QList<QPointF> inside { { 2000.0, 2000.0 }, { 3517.3, 2203.9 }, { 3541.7, 2222.2 },
        { 1234.5, 5432.1 } };
    const QList<QPointF> edges { { 0.0, 0.0 }, { PictureWidth, PictureHeight }, { -20.0, 3500.0 },
        { 3500.0, PictureHeight + 20.0 }, { -5000.0, -5000.0 }, { 1e9, 1e9 } };
    for (const auto& [centres, tolerance] : { std::pair { inside, 12 }, std::pair { edges, 64 } }) {
        Surface blitted(ratio);
        Surface painted(ratio);
        blitted.surface.SetDrawWidth(width.toInt());
        painted.surface.SetDrawWidth(width.toInt());
        for (const QPointF& c : centres) {
            blitted.surface.SetFillStyle(0);
            blitted.surface.Circle(c.x(), c.y(), radius);
            blitted.surface.SetFillStyle(1);
            painted.surface.paintFilledCircleDirectly(c.x(), c.y(), radius);
        }
        QVERIFY(
            MaxChannelDifference(blitted.surface.image(), painted.surface.image()) <= tolerance);
    }
}

void tst_PainterSurface::markCentreIsWhereTheMarkLies_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<qreal>("ratio");
    for (const char* width : { "1", "2" })
        for (qreal ratio : { 1.0, 2.0 })
            QTest::addRow("w%s x%g", width, ratio) << QString(width) << ratio;
}

// The pick ring is centred on markCentre(): the ink of the mark must be
// centred there too, at every ratio and pen width.
void tst_PainterSurface::markCentreIsWhereTheMarkLies()
{
    QFETCH(QString, width);
    QFETCH(qreal, ratio);
    // (1 -4 3) in the cubic full view, at (3052.6, 4019.3) twips.
    const double r = std::sqrt(26.0);
    const QPointF at(3500 + 1500 * 2 * -4 / (r + 1), 3500 - 1500 * 2 * 3 / (r + 1));
    Surface s(ratio);
    s.surface.SetDrawWidth(width.toInt());
    s.surface.SetFillStyle(0);
    s.surface.Circle(at.x(), at.y(), 30);
    const QImage image = s.surface.image();
    double sum = 0, sx = 0, sy = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double ink = 255 - qGray(image.pixel(x, y)) - (255 - qGray(Background.rgb()));
            if (ink > 0) {
                sum += ink;
                sx += ink * (x + 0.5);
                sy += ink * (y + 0.5);
            }
        }
    const QPointF centre = s.surface.markCentre(at.x(), at.y()) * ratio;
    QVERIFY2(std::abs(sx / sum - centre.x()) < 0.1 && std::abs(sy / sum - centre.y()) < 0.1,
        qPrintable(QStringLiteral("ink %1, %2; centre %3, %4")
                       .arg(sx / sum)
                       .arg(sy / sum)
                       .arg(centre.x())
                       .arg(centre.y())));
}

void tst_PainterSurface::printTopLeft()
{
    for (qreal ratio : { 1.0, 2.0 }) {
        Surface s(ratio);
        s.surface.SetDrawWidth(5);
        s.surface.SetCurrentX(1500);
        s.surface.SetCurrentY(1500);
        s.surface.Print("(1120)");
        const QImage& image = s.surface.image();
        const int left = int(100 * ratio);
        const int top = int(100 * ratio);
        int inkTop = image.height();
        int inkLeft = image.width();
        int inkRight = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (DarkAt(image, x, y)) {
                    inkTop = std::min(inkTop, y);
                    inkLeft = std::min(inkLeft, x);
                    inkRight = std::max(inkRight, x);
                }
        // The ink starts just right of and below the corner, never above it.
        QVERIFY2(inkTop >= top && inkTop <= top + 6 * ratio, qPrintable(QString::number(inkTop)));
        QVERIFY2(
            inkLeft >= left && inkLeft <= left + 3 * ratio, qPrintable(QString::number(inkLeft)));
        // "(" plus four digits and ")" is about 450 twips long; a 5-pixel pen
        // would make the glyphs far heavier and wider.
        const double inkTwips = (inkRight - inkLeft) * PictureSize::TwipsPerPixel / ratio;
        QVERIFY2(inkTwips > 380 && inkTwips < 520, qPrintable(QString::number(inkTwips)));
    }
}

void tst_PainterSurface::labelFontFitsOverbars()
{
    Surface s;
    const QFontMetricsF metrics(s.surface.font(), &s.surface.image());
    const double twips = PictureSize::TwipsPerPixel;
    const double paren = metrics.horizontalAdvance(QLatin1Char('(')) * twips;
    QVERIFY2(paren > 35 && paren < 75, qPrintable(QString::number(paren)));
    for (const QChar digit : QStringLiteral("0123456789")) {
        QVERIFY(metrics.inFont(digit));
        const double width = metrics.horizontalAdvance(digit) * twips;
        QVERIFY2(width > 98 && width < 102, qPrintable(QString::number(width)));
    }
    // The third digit of "(1120)" must start where its overbar does, 250
    // twips in, and the sixth digit of a long label still under its place.
    const double shift = s.surface.textOrigin().x() * twips;
    const double third = shift + metrics.horizontalAdvance(QStringLiteral("(11")) * twips;
    QVERIFY2(std::abs(third - 250) < 10, qPrintable(QString::number(third)));
    const double sixth = shift + metrics.horizontalAdvance(QStringLiteral("(01111")) * twips;
    QVERIFY2(std::abs(sixth - 550) < 15, qPrintable(QString::number(sixth)));
}

void tst_PainterSurface::haloedLabelMatchesPainter_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("more");
    // The last: a window grown to 1600 x 1200 on a double-density screen.
    for (qreal ratio : { 1.0, 2.0, 2.0 * 1080 / 475 })
        for (bool bold : { false, true })
            QTest::addRow("x%g%s", ratio, bold ? " bold" : "") << ratio << bold << 0;
    // More labels than the kept images have room for.
    QTest::newRow("x1 past the budget") << 1.0 << false << 3000;
}

// A label drawn again from its kept image lands where painting it anew
// would, halo and all, at every corner it is printed at.
void tst_PainterSurface::haloedLabelMatchesPainter()
{
    QFETCH(qreal, ratio);
    QFETCH(bool, bold);
    QFETCH(int, more);
    Surface s(ratio);
    s.surface.SetTextStyle(bold ? TextStyle::HaloedBold : TextStyle::Haloed);
    QImage painted(s.surface.image().size(), QImage::Format_ARGB32_Premultiplied);
    painted.setDevicePixelRatio(ratio);
    painted.fill(Background);
    QPainter painter(&painted);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = s.surface.font();
    font.setBold(bold);
    // Over a line, so that the halo shows; the same text twice, then another.
    s.surface.Line(1000, 1580, 4000, 1580);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(s.surface.markCentre(1000, 1580), s.surface.markCentre(4000, 1580));
    const double scale = ratio / PictureSize::TwipsPerPixel;
    std::vector<std::tuple<double, double, std::string>> labels { { 1507.0, 1500.0, "(123)" },
        { 2911.3, 1517.8, "(123)" }, { 2200.0, 3000.0, "(1120)" } };
    for (int n = 0; n < more; ++n)
        labels.emplace_back(
            200 + n * 137 % 6500, 200 + n * 71 % 6500, "(" + std::to_string(n) + ")");
    for (const auto& [x, y, text] : labels) {
        s.surface.SetCurrentX(x);
        s.surface.SetCurrentY(y);
        s.surface.Print(text);
        const QPointF corner(std::round(x * scale) / ratio, std::round(y * scale) / ratio);
        PaintHaloedText(painter, corner + s.surface.textOrigin(), QString::fromStdString(text),
            font, Qt::black, Background, 1.5);
    }
    painter.end();
    // A glyph's edge may be shaded a little otherwise where the label
    // crosses the line, or on a pixel's very edge at a ratio Qt keeps to
    // 1/65536; a label or halo a pixel off would differ in hundreds.
    QVERIFY(DifferingPixels(s.surface.image(), painted, 64) <= 16 * ratio * ratio);
}

void tst_PainterSurface::overbarsJustAboveTheirDigits_data()
{
    QTest::addColumn<int>("crystalSystem");
    QTest::addColumn<int>("symmetryMode");
    QTest::addColumn<qreal>("ratio");
    for (qreal ratio : { 1.0, 2.0 }) {
        const QByteArray at = QByteArray::number(ratio);
        QTest::newRow("cubic full @" + at) << 1 << 2 << ratio;
        QTest::newRow("hexagonal full @" + at) << 2 << 2 << ratio;
        QTest::newRow("hexagonal with symmetry @" + at) << 2 << 1 << ratio;
    }
}

// Measured on the labels alone, replayed from the nets without their lines:
// under each bar the first ink is its digit's top, a pixel or two lower.
void tst_PainterSurface::overbarsJustAboveTheirDigits()
{
    QFETCH(int, crystalSystem);
    QFETCH(int, symmetryMode);
    QFETCH(qreal, ratio);

    RecordingSurface net;
    DrawLayers(net, FindView(int16_t(crystalSystem), int16_t(symmetryMode))->scene, 1);
    Surface s(ratio);
    QList<SurfaceCall> bars;
    bool afterPrint = false;
    for (const SurfaceCall& call : net.calls) {
        if (call.kind == SurfaceCall::CurrentX)
            s.surface.SetCurrentX(call.values[0]);
        else if (call.kind == SurfaceCall::CurrentY)
            s.surface.SetCurrentY(call.values[0]);
        else if (call.kind == SurfaceCall::Print)
            s.surface.Print(call.text.toStdString());
        const bool bar
            = afterPrint && call.kind == SurfaceCall::Line && call.values[1] == call.values[3];
        if (bar) {
            s.surface.Line(call.values[0], call.values[1], call.values[2], call.values[3]);
            bars.append(call);
        }
        afterPrint = call.kind == SurfaceCall::Print || bar;
    }
    QVERIFY(!bars.isEmpty());

    const QImage& image = s.surface.image();
    for (const SurfaceCall& bar : bars) {
        const QPoint left = DevicePixel(image, bar.values[0], bar.values[1]);
        const QPoint right = DevicePixel(image, bar.values[2], bar.values[1]);
        const auto inkInRow = [&](int y) {
            for (int x = left.x() + 1; x < right.x(); ++x)
                if (qGray(image.pixel(x, y)) < 192)
                    return true;
            return false;
        };
        int barBottom = left.y() - 2;
        while (barBottom < left.y() + 2 && !DarkAt(image, (left.x() + right.x()) / 2, barBottom))
            ++barBottom;
        while (DarkAt(image, (left.x() + right.x()) / 2, barBottom + 1))
            ++barBottom;
        int digitTop = barBottom + 1;
        while (digitTop < barBottom + 8 * ratio && !inkInRow(digitTop))
            ++digitTop;
        const int gap = digitTop - barBottom - 1;
        QVERIFY2(gap >= ratio && gap <= 3 * ratio,
            qPrintable(QStringLiteral("bar at %1, %2: %3 clear rows above the digit")
                           .arg(bar.values[0])
                           .arg(bar.values[1])
                           .arg(gap)));
    }
}

void tst_PainterSurface::netsWithPoles_data()
{
    QTest::addColumn<Scene>("view");
    QTest::addColumn<QStringList>("planes");
    QTest::addColumn<QList<QPointF>>("darkTwips");
    QTest::addColumn<QList<QPointF>>("backgroundTwips");

    // The primitive circle at 0°, 90°, 180° and 270° (where lines end too),
    // and at 20° and 200°, where only the circle passes.
    const QList<QPointF> rim { { 500, 3500 }, { 3500, 500 }, { 6500, 3500 }, { 3500, 6500 },
        { 6319.08, 2473.94 }, { 680.92, 4526.06 } };
    const QList<QPointF> outside { { 6900, 200 }, { 200, 6900 }, { 6900, 6900 }, { 7100, 3500 } };
    QTest::newRow("cubic full") << FindView(1, 2)->scene
                                << QStringList { "1 1 0", "2 1 0", "1 1 1" } << rim << outside;
    // The hexagonal views also carry the crystal-axes hexagon at the top left.
    QTest::newRow("hexagonal full")
        << FindView(2, 2)->scene << QStringList { "1 0 0", "1 1 2", "0 0 1" }
        << (rim + QList<QPointF> { { 200, 600 } }) << outside;
    // Edges, the (110)-(111) arc at the (221) pole, and the far corners.
    QTest::newRow("cubic with symmetry")
        << FindView(1, 1)->scene << QStringList { "2 1 0", "3 2 1" }
        << QList<QPointF> { { 3000, 5500 }, { 5000, 5500 }, { 3209.2, 3290.8 }, { 5828.4, 3085.8 } }
        << QList<QPointF> { { 6900, 200 }, { 1500, 1500 }, { 500, 6900 }, { 6900, 6900 } };
    QTest::newRow("hexagonal with symmetry")
        << FindView(2, 1)->scene << QStringList { "1 0 1", "2 1 3" }
        << QList<QPointF> { { 3000, 5500 }, { 3165.1, 4250 }, { 5829.6, 4205.9 }, { 200, 600 } }
        << QList<QPointF> { { 3000, 1000 }, { 6900, 200 }, { 500, 6900 }, { 6900, 6900 } };
    // The free view's dots, here of (111) and (0-1-1), where no line passes.
    const Lattice cubic = Lattice::UnitCubic();
    QTest::newRow("free, cubic along [100]")
        << FreeScene(cubic, *Orientation(cubic, { 1, 0, 0 }, { 0, 0, 1 }), { 1, false, false })
        << QStringList { "2 1 0" }
        << (rim + QList<QPointF> { { 4598.08, 2401.92 }, { 1378.68, 5621.32 } })
        << (outside + QList<QPointF> { { 4000, 4200 }, { 2500, 4200 } });
}

void tst_PainterSurface::netsWithPoles()
{
    QFETCH(Scene, view);
    QFETCH(QStringList, planes);
    QFETCH(QList<QPointF>, darkTwips);
    QFETCH(QList<QPointF>, backgroundTwips);

    PoleStore store;
    for (const QString& plane : planes) {
        const QStringList hkl = plane.split(' ');
        RunDrawCommand(hkl[0], hkl[1], hkl[2], view.crystal, store);
    }
    QCOMPARE(int(store.PoleCount()), planes.size());

    for (qreal ratio : { 1.0, 2.0 }) {
        Surface s(ratio);
        DrawLayers(s.surface, view, 1);
        PlotPoles(s.surface, store, view.projector(), 50);
        const QImage& image = s.surface.image();
        for (const QPointF& p : darkTwips)
            QVERIFY2(DarkNear(image, p.x(), p.y()),
                qPrintable(QStringLiteral("%1, %2").arg(p.x()).arg(p.y())));
        for (const QPointF& p : backgroundTwips)
            QVERIFY2(backgroundAt(image, p.x(), p.y()),
                qPrintable(QStringLiteral("%1, %2").arg(p.x()).arg(p.y())));
        for (const Entry& entry : store.entries()) {
            const TwipsPoint at = Place(view.projector(), entry).at;
            const QPoint centre = DevicePixel(image, at.x, at.y);
            QVERIFY(DarkAt(image, centre.x(), centre.y()));
        }

        // The same figure and poles drawn over themselves leave the picture
        // as it was: antialiased edges must not darken with a second pass.
        const QImage once = image.copy();
        DrawLayers(s.surface, view, 1);
        PlotPoles(s.surface, store, view.projector(), 50);
        QCOMPARE(MaxChannelDifference(once, s.surface.image()), 0);
        // A new Cls forgets what was drawn: the next pass paints in full.
        s.surface.Cls();
        DrawLayers(s.surface, view, 1);
        PlotPoles(s.surface, store, view.projector(), 50);
        QCOMPARE(MaxChannelDifference(once, s.surface.image()), 0);
    }
}

void tst_PainterSurface::inkPaintsLinesAndMarkers_data()
{
    QTest::addColumn<QColor>("ink");
    QTest::newRow("black, as unset") << QColor(Qt::black);
    QTest::newRow("light grey") << QColor(220, 220, 220);
    QTest::newRow("red") << QColor(Qt::red);
}

void tst_PainterSurface::inkPaintsLinesAndMarkers()
{
    QFETCH(QColor, ink);
    const Scene& view = FindView(1, 2)->scene;
    PoleStore store;
    std::vector<TwipsPoint> centres;
    for (const char* z : { "1", "3" }) {
        QVERIFY(RunDrawCommand("2", "1", z, view.crystal, store).added);
        centres.push_back(Place(view.projector(), store.entries().back()).at);
    }
    Surface plain;
    Surface inked;
    inked.surface.setInk(ink);
    QCOMPARE(inked.surface.ink(), ink);
    for (PainterSurface* s : { &plain.surface, &inked.surface }) {
        DrawLayers(*s, view, 2);
        PlotPoles(*s, store, view.projector(), 50);
    }
    const QImage image = inked.surface.image();
    if (ink == Qt::black) {
        QCOMPARE(MaxChannelDifference(image, plain.surface.image()), 0);
        return;
    }
    // A marker's middle is the ink itself; the primitive circle is drawn in it.
    for (const TwipsPoint& at : centres)
        QCOMPARE(image.pixelColor(DevicePixel(image, at.x, at.y)), ink);
    const QPoint rim = DevicePixel(image, 6500, 3500);
    bool inkOnRim = false;
    for (int dx = -2; dx <= 2; ++dx)
        inkOnRim = inkOnRim || image.pixelColor(rim.x() + dx, rim.y()) == ink;
    QVERIFY(inkOnRim);
    // The blitted rim blends the ink as QPainter does.
    Surface direct;
    direct.surface.setInk(ink);
    direct.surface.SetDrawWidth(2);
    inked.surface.Cls();
    for (const TwipsPoint& at : centres)
        direct.surface.paintFilledCircleDirectly(at.x, at.y, 50);
    PlotPoles(inked.surface, store, view.projector(), 50);
    QVERIFY(MaxChannelDifference(inked.surface.image(), direct.surface.image()) <= 12);
}

void tst_PainterSurface::faintTone_data()
{
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("ink");
    QTest::newRow("paper") << QColor(Qt::white) << QColor(Qt::black);
    QTest::newRow("dark palette") << QColor(30, 30, 35) << QColor(230, 230, 230);
}

// A faint line lies between the background and the ink, on a dark palette
// too; the same line inked fully afterwards is painted, not taken for a
// repeat; markers ignore the tone.
void tst_PainterSurface::faintTone()
{
    QFETCH(QColor, background);
    QFETCH(QColor, ink);
    PainterSurface surface(PictureWidth, PictureHeight);
    surface.setBackground(background);
    surface.setInk(ink);
    surface.Cls();
    surface.SetDrawWidth(3);
    surface.SetTone(Tone::Faint);
    surface.Line(1000, 500, 1000, 6500);
    surface.Line(3000, 500, 3000, 6500);
    surface.SetFillStyle(0);
    surface.Circle(5000, 3500, 100);
    surface.SetTone(Tone::Full);
    surface.Line(3000, 500, 3000, 6500);
    const QImage image = surface.image();
    const QColor faint = image.pixelColor(DevicePixel(image, 1000, 3500));
    const auto between = [&](int f, int b, int i) {
        return std::abs(f - b) > std::abs(i - b) / 5 && std::abs(f - i) > std::abs(i - b) / 5;
    };
    QVERIFY2(between(faint.red(), background.red(), ink.red())
            && between(faint.green(), background.green(), ink.green()),
        qPrintable(faint.name()));
    QCOMPARE(image.pixelColor(DevicePixel(image, 3000, 3500)), ink);
    QCOMPARE(image.pixelColor(DevicePixel(image, 5000, 3500)), ink);
}

// Through the table's growth and its clearing, a repeat is found and a
// distinct mark never is; -0.0 is the same place as 0.0.
void tst_PainterSurface::paintedMarksKnowRepeats()
{
    PaintedMarks marks;
    const auto mark = [](int n) {
        return PaintedMark { PaintedMark::Circle, 1, n % 3,
            { n * 0.5, 7000.0 - n, 30.0, 0.0, 0.0 } };
    };
    for (int round = 0; round < 2; ++round) {
        for (int n = 0; n < 5000; ++n)
            QVERIFY(marks.insert(mark(n)));
        for (int n = 0; n < 5000; n += 7)
            QVERIFY(!marks.insert(mark(n)));
        QCOMPARE(marks.size(), std::size_t(5000));
        marks.clear();
        QCOMPARE(marks.size(), std::size_t(0));
    }
    QVERIFY(marks.insert({ PaintedMark::Line, 0, 1, { 0.0, 1.0, 2.0, 3.0, 0.0 } }));
    QVERIFY(!marks.insert({ PaintedMark::Line, 0, 1, { -0.0, 1.0, 2.0, 3.0, -0.0 } }));

    // The second crystal's label or line where the first's lies is no
    // repeat: it shows over it, in its own ink.
    PainterSurface surface(1500, 1500, 1.0);
    surface.Cls();
    for (const int16_t ink : { 0, 1 }) {
        surface.SetInkColour(ink);
        surface.SetTextStyle(ink ? TextStyle::HaloedItalic : TextStyle::Haloed);
        surface.SetCurrentX(300);
        surface.SetCurrentY(300);
        surface.Print("(010)");
        surface.Line(100, 900, 1400, 900);
    }
    const QImage image = surface.image();
    const auto secondInk = [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < image.width(); ++x)
                if (QColor(image.pixel(x, y)).blue() > QColor(image.pixel(x, y)).red() + 60)
                    return true;
        return false;
    };
    QVERIFY(secondInk(15, 40));
    QVERIFY(secondInk(58, 62));
}

void tst_PainterSurface::persistentPictureMatchesWholeDraw_data()
{
    QTest::addColumn<QString>("change");
    for (const char* change : { "plot", "expose", "plot size", "plot size at ratio 2", "line width",
             "view", "clear", "ratio", "ink", "turn over a Wulff net", "turn at ratio 2" })
        QTest::newRow(change) << QString::fromLatin1(change);
}

// Whatever happened since the last draw, the image shows what a whole draw
// from the current settings and store shows.
void tst_PainterSurface::persistentPictureMatchesWholeDraw()
{
    QFETCH(QString, change);
    // At ratio 2 the net is kept and brought back under new markers.
    Surface s(change.endsWith(QLatin1String("ratio 2")) ? 2.0 : 1.0);
    PlacementCache placements;
    PersistentPicture picture(s.surface, placements);
    const Scene& cubic = FindView(1, 2)->scene;
    // Turned, the free view's net moves over a paper that stays.
    const bool turn = change.startsWith(QLatin1String("turn"));
    const auto freeView = [](double angle) {
        const Lattice lattice = Lattice::UnitCubic();
        return FreeScene(lattice,
            Rotation::AboutAxis({ 0, 1, 1 }, angle)
                * *Orientation(lattice, { 1, 2, 3 }, { 1, 1, -1 }),
            { 3, true, true });
    };
    PictureSettings settings { turn ? freeView(0.0) : cubic, { 1, 50 } };
    PoleStore store;
    RunDrawCommand("1", "1", "0", cubic.crystal, store);
    RunDrawCommand("2", "1", "0", cubic.crystal, store);
    picture.show(settings, store);
    const int whole = picture.wholeDraws();

    if (change == "plot")
        RunDrawCommand("1", "1", "1", cubic.crystal, store);
    else if (change.startsWith(QLatin1String("plot size")))
        settings.display.plotSize = 100;
    else if (change == "line width")
        settings.display.lineWidth = 4;
    else if (change == "view")
        settings.scene = FindView(2, 2)->scene;
    else if (change == "clear")
        store.InitPoleData();
    else if (change == "ratio")
        s.surface.setDevicePixelRatio(2.0);
    else if (change == "ink")
        s.surface.setInk(Qt::darkBlue);
    for (int step = 1; turn && step <= 2; ++step) {
        settings.scene = freeView(0.1 * step);
        picture.show(settings, store);
    }
    picture.show(settings, store);
    // Only an expose or a plot may spare the whole draw.
    QCOMPARE(picture.wholeDraws() == whole, change == "expose" || change == "plot");

    Surface fresh(s.surface.devicePixelRatio());
    fresh.surface.setInk(s.surface.ink());
    DrawPicture(fresh.surface, settings, store);
    QCOMPARE(MaxChannelDifference(fresh.surface.image(), s.surface.image()), 0);
}

QTEST_MAIN(tst_PainterSurface)
#include "tst_paintersurface.moc"
