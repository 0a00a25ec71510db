#include "painting/PictureDocument.h"

#include "painting/PainterSurface.h"
#include "surface/PictureSize.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

namespace {

// Twips are 1440 to the inch: at that resolution a device unit is a twip.
constexpr int TwipsPerInch = 1440;
constexpr int TwipsPerPixel = PictureSize::TwipsPerPixel;

// The page's box as the PDF writer states it, with six decimals.
QByteArray MediaBox(double width, double height)
{
    return "/MediaBox [0 0 " + QByteArray::number(width, 'f', 6) + ' '
        + QByteArray::number(height, 'f', 6) + ']';
}

// The writer keeps a page to whole points, so the picture's 356.25 points
// would be cut to 356. Its box is written with six decimals, so the exact
// one has the same length and takes its place without moving any object.
void StateExactPage(QByteArray& pdf, QSizeF written, QSizeF exact)
{
    const QByteArray from = MediaBox(written.width(), written.height());
    const QByteArray to = MediaBox(exact.width(), exact.height());
    const qsizetype at = pdf.indexOf(from);
    if (at >= 0 && from.size() == to.size())
        pdf.replace(at, from.size(), to);
}

// A caption's line and the space between the picture and the caption.
constexpr int CaptionLineTwips = 300;
constexpr int CaptionGapTwips = 100;

} // namespace

QStringList PictureDocument::captionLines() const
{
    return m_settings.display.figureCaption ? m_settings.scene.figureCaption() : QStringList();
}

int PictureDocument::heightTwips() const
{
    const qsizetype lines = captionLines().size();
    return PictureSize::HeightTwips
        + (lines == 0 ? 0 : CaptionGapTwips + int(lines) * CaptionLineTwips);
}

PictureDocument::PictureDocument(PictureSettings settings, PoleStore store, QString description)
    : m_settings(std::move(settings))
    , m_store(std::move(store))
    , m_description(std::move(description))
{
}

void PictureDocument::paint(QPaintDevice& device, double unitsPerPixel) const
{
    PainterSurface surface(device, PictureSize::WidthTwips, heightTwips(), unitsPerPixel);
    // Copies are for paper, whatever the screen's colours.
    surface.setBackground(Qt::white);
    surface.setInk(Qt::black);
    DrawPicture(surface, m_settings, m_store);
    surface.printCentred(
        captionLines(), PictureSize::HeightTwips + CaptionGapTwips, CaptionLineTwips);
    surface.finish();
}

QByteArray PictureDocument::svg() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    // The size in twips at 1440 dpi gives the exact millimetres; the view
    // box puts a logical pixel in each user unit, the CSS pixel.
    generator.setResolution(TwipsPerInch);
    generator.setSize(QSize(PictureSize::WidthTwips, heightTwips()));
    generator.setViewBox(QRectF(0.0, 0.0, double(PictureSize::WidthTwips) / TwipsPerPixel,
        double(heightTwips()) / TwipsPerPixel));
    // What a drawing program shows as the pasted object's name and note.
    generator.setTitle(QStringLiteral("極点図"));
    generator.setDescription(m_description);
    paint(generator, 1.0);
    return bytes;
}

QByteArray PictureDocument::pdf() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(TwipsPerInch);
    const QPageSize page(QSizeF(double(PictureSize::WidthTwips) / TwipsPerInch,
                             double(heightTwips()) / TwipsPerInch),
        QPageSize::Inch, QString(), QPageSize::ExactMatch);
    writer.setPageSize(page);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    paint(writer, TwipsPerPixel);
    buffer.close();
    constexpr double TwipsPerPoint = TwipsPerInch / 72.0;
    StateExactPage(bytes, QSizeF(page.sizePoints()),
        QSizeF(PictureSize::WidthTwips / TwipsPerPoint, heightTwips() / TwipsPerPoint));
    return bytes;
}

QImage PictureDocument::image(int dpi) const
{
    const double ratio = dpi / 96.0;
    PainterSurface surface(PictureSize::WidthTwips, heightTwips(), ratio);
    surface.setBackground(Qt::white);
    surface.setInk(Qt::black);
    surface.Cls();
    DrawPicture(surface, m_settings, m_store);
    surface.printCentred(
        captionLines(), PictureSize::HeightTwips + CaptionGapTwips, CaptionLineTwips);
    // The surface's image covers whole logical pixels; the picture ends at
    // its last twip.
    const int width = int(std::ceil(PictureSize::WidthTwips * ratio / TwipsPerPixel));
    const int height = int(std::ceil(heightTwips() * ratio / TwipsPerPixel));
    QImage picture = surface.image().copy(0, 0, width, height);
    picture.setDevicePixelRatio(1.0);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
    return picture;
}

QByteArray PictureDocument::encoded(ExportFormat format, int dpi) const
{
    switch (format) {
    case ExportFormat::Svg:
        return svg();
    case ExportFormat::Pdf:
        return pdf();
    case ExportFormat::Png:
    case ExportFormat::Jpeg:
        break;
    case ExportFormat::None:
    case ExportFormat::Csv:
    case ExportFormat::Text:
    case ExportFormat::Session:
    case ExportFormat::Cif:
        return {};
    }
    // Black on white in shades of grey, a quarter of the bytes to compress;
    // in colour only where the second crystal has its own.
    const std::optional<SecondCrystal>& second = m_settings.scene.second;
    const QImage picture = second && second->colour
        ? image(dpi)
        : image(dpi).convertToFormat(QImage::Format_Grayscale8);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format == ExportFormat::Png ? "png" : "jpg");
    // PNG: a light compression, for it is the deflating that takes the
    // time; JPEG: a high quality, so that thin lines stay crisp.
    writer.setQuality(format == ExportFormat::Png ? 80 : 95);
    if (!writer.write(picture))
        return {};
    return bytes;
}
