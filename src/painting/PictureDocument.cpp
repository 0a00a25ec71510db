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

} // namespace

PictureDocument::PictureDocument(PictureSettings settings, PoleStore store)
    : m_settings(std::move(settings))
    , m_store(std::move(store))
{
}

void PictureDocument::paint(QPaintDevice& device) const
{
    PainterSurface surface(device, PictureSize::WidthTwips, PictureSize::HeightTwips);
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
    generator.setResolution(TwipsPerInch);
    generator.setSize(QSize(PictureSize::WidthTwips, PictureSize::HeightTwips));
    generator.setViewBox(QRect(0, 0, PictureSize::WidthTwips, PictureSize::HeightTwips));
    paint(generator);
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
    paint(writer);
    return bytes;
}
