#include "RecordingSurface.h"

#include "DistinctPlanes.h"
#include "painting/PainterSurface.h"
#include "painting/PictureDocument.h"
#include "painting/PictureMimeData.h"
#include "plotting/DrawCommand.h"
#include "scene/DocumentedViews.h"
#include "scene/DrawPicture.h"
#include "surface/PictureSize.h"

#include <QBuffer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const Scene& viewOf(int system, int mode)
{
    return FindView(int16_t(system), int16_t(mode))->scene;
}

PoleStore someFormsOfTheView(const Scene& view)
{
    PoleStore store;
    for (const auto& [x, y, z] : { std::array { "1", "1", "1" }, { "1", "0", "0" },
             { "2", "-1", "3" }, { "-1", "2", "0" }, { "3", "1", "-2" }, { "1", "-1", "2" } })
        RunDrawCommand(x, y, z, view.crystal, store);
    return store;
}

QImage bitmapOf(const PictureSettings& settings, const PoleStore& store)
{
    PainterSurface surface(PictureSize::WidthTwips, PictureSize::HeightTwips);
    surface.setBackground(Qt::white);
    DrawPicture(surface, settings, store);
    return surface.image().convertToFormat(QImage::Format_RGB32);
}

bool inkAt(const QImage& image, int x, int y)
{
    return image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 160;
}

// Pixels inked in one picture with no ink within two pixels in the other:
// antialiasing and the screen's snapping move an edge by a pixel, a wrong
// or missing figure leaves whole strokes unmatched.
int unmatchedInk(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (!inkAt(a, x, y))
                continue;
            bool near = false;
            for (int dy = -2; dy <= 2 && !near; ++dy)
                for (int dx = -2; dx <= 2 && !near; ++dx)
                    near = inkAt(b, x + dx, y + dy);
            count += near ? 0 : 1;
        }
    }
    return count;
}

void compareInk(const QImage& bitmap, const QImage& vector)
{
    QCOMPARE(vector.size(), bitmap.size());
    QVERIFY2(unmatchedInk(bitmap, vector) <= 4, "the bitmap has ink the vector copy lacks");
    QVERIFY2(unmatchedInk(vector, bitmap) <= 4, "the vector copy has ink the bitmap lacks");
}

int circles(const QByteArray& svg)
{
    return int(svg.count("<circle"));
}

} // namespace

class tst_PictureDocument : public QObject
{
    Q_OBJECT

private slots:
    void matchesBitmap_data();
    void matchesBitmap();
    void oneCirclePerDistinctPole();
    void svgInCssPixelsWithItsOwnTitle_data();
    void svgInCssPixelsWithItsOwnTitle();
    void pdfIsOnePageWithItsFont();
    void captionUnderThePicture();
    void copiedBitmapKeepsItsPhysicalSize_data();
    void copiedBitmapKeepsItsPhysicalSize();
};

void tst_PictureDocument::matchesBitmap_data()
{
    QTest::addColumn<int>("system");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("withPoles");
    QTest::addColumn<QString>("lineWidth");
    for (const auto& [name, system, mode] : { std::tuple { "cubic sym", 1, 1 },
             { "cubic full", 1, 2 }, { "hex sym", 2, 1 }, { "hex full", 2, 2 } }) {
        QTest::addRow("%s empty", name) << system << mode << false << QStringLiteral("1");
        QTest::addRow("%s poles", name) << system << mode << true << QStringLiteral("3");
    }
}

void tst_PictureDocument::matchesBitmap()
{
    QFETCH(int, system);
    QFETCH(int, mode);
    QFETCH(bool, withPoles);
    QFETCH(QString, lineWidth);
    const Scene& view = viewOf(system, mode);
    const PictureSettings settings { view, { lineWidth.toInt(), 50 } };
    const PoleStore store = withPoles ? someFormsOfTheView(view) : PoleStore();
    const QImage bitmap = bitmapOf(settings, store);
    const PictureDocument document(settings, store);

    const QByteArray svg = document.svg();
    QImage fromSvg(bitmap.size(), QImage::Format_RGB32);
    fromSvg.fill(Qt::white);
    {
        QPainter painter(&fromSvg);
        QSvgRenderer(svg).render(&painter);
    }
    compareInk(bitmap, fromSvg);

    // Every label is text, not outlines.
    RecordingSurface recorded;
    DrawPicture(recorded, settings, store);
    for (const SurfaceCall& call : recorded.calls)
        if (call.kind == SurfaceCall::Print)
            QVERIFY2(svg.contains(">" + call.text.toUtf8() + "<"), qPrintable(call.text));

    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        return;
    QTemporaryDir dir;
    QFile pdf(dir.filePath(QStringLiteral("copy.pdf")));
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    pdf.write(document.pdf());
    pdf.close();
    QProcess render;
    render.start(pdftoppm,
        { QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
            QStringLiteral("-singlefile"), pdf.fileName(), dir.filePath(QStringLiteral("page")) });
    QVERIFY(render.waitForFinished(30000));
    QCOMPARE(render.exitCode(), 0);
    const QImage fromPdf
        = QImage(dir.filePath(QStringLiteral("page.png"))).convertToFormat(QImage::Format_RGB32);
    compareInk(bitmap, fromPdf);
}

void tst_PictureDocument::oneCirclePerDistinctPole()
{
    const PictureSettings settings { viewOf(1, 2), { 1, 30 } };
    PoleStore store;
    constexpr int distinct = 300;
    int n = 0;
    for (const Index3& plane : DistinctPlanes(distinct)) {
        QVERIFY(store.append({ IndexKind::Plane, plane }));
        if (n++ % 3 == 0)
            QVERIFY(store.append({ IndexKind::Plane, plane }));
    }
    const int net = circles(PictureDocument(settings, PoleStore()).svg());
    QCOMPARE(circles(PictureDocument(settings, store).svg()) - net, distinct);
}

void tst_PictureDocument::svgInCssPixelsWithItsOwnTitle_data()
{
    QTest::addColumn<int>("system");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("withPoles");
    QTest::newRow("cubic sym poles") << 1 << 1 << true;
    QTest::newRow("hex full empty") << 2 << 2 << false;
}

void tst_PictureDocument::svgInCssPixelsWithItsOwnTitle()
{
    QFETCH(int, system);
    QFETCH(int, mode);
    QFETCH(bool, withPoles);
    const PoleStore store = withPoles ? someFormsOfTheView(viewOf(system, mode)) : PoleStore();
    const QString description = QStringLiteral("説明 %1").arg(system * 10 + mode);
    const QString svg = QString::fromUtf8(
        PictureDocument({ viewOf(system, mode), { 1, 50 } }, store, description).svg());
    // Programs that paste SVG take a user unit for a CSS pixel (1/96 inch):
    // 475 x 466.667 of them are the picture's 125.677 x 123.472 mm.
    const QRegularExpressionMatch root
        = QRegularExpression(QStringLiteral("<svg\\s[^>]*>")).match(svg);
    QVERIFY(root.hasMatch());
    QVERIFY(root.captured().contains(QStringLiteral(R"(width="125.677mm" height="123.472mm")")));
    QVERIFY(root.captured().contains(QStringLiteral(R"(viewBox="0 0 475 466.667")")));
    // A drawing program shows these as the pasted object's name and note.
    QVERIFY(!svg.contains(QStringLiteral("Qt SVG Document")));
    QVERIFY(!svg.contains(QStringLiteral("Generated with Qt")));
    QVERIFY(svg.contains(QStringLiteral("<title>極点図</title>")));
    QVERIFY(svg.contains(QStringLiteral("<desc>%1</desc>").arg(description)));
}

void tst_PictureDocument::pdfIsOnePageWithItsFont()
{
    const PictureSettings settings { viewOf(2, 2), { 1, 30 } };
    const QByteArray pdf = PictureDocument(settings, someFormsOfTheView(viewOf(2, 2))).pdf();
    QVERIFY(pdf.startsWith("%PDF-"));
    const QString text = QString::fromLatin1(pdf);
    int pages = 0;
    for (auto it = QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)")).globalMatch(text);
         it.hasNext(); it.next())
        ++pages;
    QCOMPARE(pages, 1);
    // 7125 x 7000 twips are 356.25 x 350 points, the page exactly.
    const QRegularExpressionMatch box
        = QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(text);
    QVERIFY(box.hasMatch());
    QCOMPARE(box.captured(1).toDouble(), 356.25);
    QCOMPARE(box.captured(2).toDouble(), 350.0);
    QVERIFY(pdf.contains("/FontFile2"));
    const PainterSurface screen(PictureSize::WidthTwips, PictureSize::HeightTwips);
    // Embedded under its PostScript name, whose case may differ ("NotoSansCJKjp").
    QVERIFY(pdf.toLower().contains(
        screen.font().family().remove(QLatin1Char(' ')).toLower().toLatin1()));
}

// Asked for, a caption under the picture says what it shows; the page
// grows by the caption's lines and the picture above stays as it is.
void tst_PictureDocument::captionUnderThePicture()
{
    PictureSettings settings { FreeScene(Lattice::UnitCubic(), Rotation(),
                                   { 3, true, false, false, ProjectionKind::EqualArea }),
        { 1, 30 } };
    const PictureDocument plain(settings, PoleStore());
    settings.display.figureCaption = true;
    const PictureDocument captioned(settings, PoleStore());
    const QString text = QString::fromLatin1(captioned.pdf());
    const QRegularExpressionMatch box
        = QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(text);
    QCOMPARE(box.captured(1).toDouble(), 356.25);
    QCOMPARE(box.captured(2).toDouble(), 385.0);
    QVERIFY(QString::fromUtf8(captioned.svg()).contains(u"等積投影"));
    // Looking along a with c up: g = [[0 0 1], [1 0 0], [0 1 0]].
    QCOMPARE(settings.scene.figureCaption().last(),
        QStringLiteral(
            "上 [0 0 1]、オイラー角 (φ₁, Φ, φ₂) = (180.000°, 90.000°, 90.000°)、等積投影"));
    const QImage above = captioned.image(96);
    QCOMPARE(above.height(), 514);
    QCOMPARE(above.copy(0, 0, above.width(), 467), plain.image(96));
}

void tst_PictureDocument::copiedBitmapKeepsItsPhysicalSize_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("1x") << qreal(1.0);
    QTest::newRow("2x") << qreal(2.0);
}

void tst_PictureDocument::copiedBitmapKeepsItsPhysicalSize()
{
    QFETCH(qreal, ratio);
    const PictureSettings settings { viewOf(1, 1), { 1, 50 } };
    PainterSurface surface(PictureSize::WidthTwips, PictureSize::HeightTwips, ratio);
    DrawPicture(surface, settings, PoleStore());
    const PictureMimeData copy(surface.image(), PictureDocument(settings, PoleStore()));
    // As a program pasting it gets it: a PNG, whose pHYs gives its size.
    QByteArray png;
    QBuffer buffer(&png);
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    QVERIFY(qvariant_cast<QImage>(copy.imageData()).save(&buffer, "PNG"));
    const QImage pasted = QImage::fromData(png, "PNG");
    QCOMPARE(pasted.width(), qRound(475 * ratio));
    QCOMPARE(pasted.dotsPerMeterY(), pasted.dotsPerMeterX());
    // 475 x 467 pixels at 96 dpi: 125.7 x 123.5 mm at any density.
    QCOMPARE(qRound(1e4 * pasted.width() / pasted.dotsPerMeterX()), 1257);
    QCOMPARE(qRound(1e4 * pasted.height() / pasted.dotsPerMeterY()), 1235);
}

QTEST_MAIN(tst_PictureDocument)
#include "tst_picturedocument.moc"
