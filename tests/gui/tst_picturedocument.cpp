#include "RecordingSurface.h"

#include "DistinctPlanes.h"
#include "figure/DrawPicture.h"
#include "painting/PainterSurface.h"
#include "painting/PictureDocument.h"
#include "plotting/DrawCommand.h"
#include "surface/PictureSize.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const View& viewOf(int system, int mode)
{
    return FindView(int16_t(system), int16_t(mode))->view;
}

PoleStore someFormsOfTheView(const View& view)
{
    PoleStore store;
    for (const auto& [x, y, z] : { std::array { "1", "1", "1" }, { "1", "0", "0" },
             { "2", "-1", "3" }, { "-1", "2", "0" }, { "3", "1", "-2" }, { "1", "-1", "2" } })
        RunDrawCommand(x, y, z, view, store);
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
    void pdfIsOnePageWithItsFont();
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
    const View& view = viewOf(system, mode);
    const PictureSettings settings { view, lineWidth, QStringLiteral("50") };
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
    const PictureSettings settings { viewOf(1, 2), QStringLiteral("1"), QStringLiteral("30") };
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

void tst_PictureDocument::pdfIsOnePageWithItsFont()
{
    const PictureSettings settings { viewOf(2, 2), QStringLiteral("1"), QStringLiteral("30") };
    const QByteArray pdf = PictureDocument(settings, someFormsOfTheView(viewOf(2, 2))).pdf();
    QVERIFY(pdf.startsWith("%PDF-"));
    const QString text = QString::fromLatin1(pdf);
    int pages = 0;
    for (auto it = QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)")).globalMatch(text);
         it.hasNext(); it.next())
        ++pages;
    QCOMPARE(pages, 1);
    // 7125 x 7000 twips are 356.25 x 350 points; the writer keeps whole points.
    const QRegularExpressionMatch box
        = QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(text);
    QVERIFY(box.hasMatch());
    QVERIFY(std::abs(box.captured(1).toDouble() - 356.25) <= 0.5);
    QVERIFY(std::abs(box.captured(2).toDouble() - 350.0) <= 0.5);
    QVERIFY(pdf.contains("/FontFile2"));
    const PainterSurface screen(PictureSize::WidthTwips, PictureSize::HeightTwips);
    // Embedded under its PostScript name, whose case may differ ("NotoSansCJKjp").
    QVERIFY(pdf.toLower().contains(
        screen.font().family().remove(QLatin1Char(' ')).toLower().toLatin1()));
}

QTEST_MAIN(tst_PictureDocument)
#include "tst_picturedocument.moc"
