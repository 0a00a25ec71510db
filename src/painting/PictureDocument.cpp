#include "painting/PictureDocument.h"

#include "painting/PainterSurface.h"
#include "surface/PictureSize.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace {

// Twips are 1440 to the inch: at that resolution a device unit is a twip.
constexpr int TwipsPerInch = 1440;
constexpr int TwipsPerPixel = PictureSize::TwipsPerPixel;

} // namespace

PictureDocument::PictureDocument(PictureSettings settings, PoleStore store, QString description)
    : m_settings(std::move(settings))
    , m_store(std::move(store))
    , m_description(std::move(description))
{
}

void PictureDocument::paint(QPaintDevice& device, double unitsPerPixel) const
{
    PainterSurface surface(
        device, PictureSize::WidthTwips, PictureSize::HeightTwips, unitsPerPixel);
    // Copies are for paper, whatever the screen's colours.
    surface.setBackground(Qt::white);
    surface.setInk(Qt::black);
    DrawPicture(surface, m_settings, m_store);
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
    generator.setSize(QSize(PictureSize::WidthTwips, PictureSize::HeightTwips));
    generator.setViewBox(QRectF(0.0, 0.0, double(PictureSize::WidthTwips) / TwipsPerPixel,
        double(PictureSize::HeightTwips) / TwipsPerPixel));
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
    writer.setPageSize(QPageSize(QSizeF(double(PictureSize::WidthTwips) / TwipsPerInch,
                                     double(PictureSize::HeightTwips) / TwipsPerInch),
        QPageSize::Inch, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    paint(writer, TwipsPerPixel);
    return bytes;
}
