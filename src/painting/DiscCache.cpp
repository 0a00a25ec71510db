#include "painting/DiscCache.h"

#include "surface/PictureSize.h"

#include <QPainter>
#include <QPen>
#include <cmath>

namespace {

constexpr std::size_t MaxCachedDiscs = 32;

} // namespace

const DiscCache::Disc& DiscCache::disc(
    double radiusTwips, int width, qreal ratio, const QColor& ink)
{
    for (const Disc& d : m_discs) {
        if (d.radiusTwips == radiusTwips && d.width == width)
            return d;
    }
    if (m_discs.size() >= MaxCachedDiscs)
        m_discs.clear();

    constexpr double TwipsPerPixel = PictureSize::TwipsPerPixel;
    Disc d;
    d.radiusTwips = radiusTwips;
    d.width = width;
    const double extent = (radiusTwips / TwipsPerPixel + width / 2.0) * ratio;
    // The circle's centre lies on pixel (centre, centre) or half a pixel past
    // it, so one pixel to spare on each side holds all its antialiased rim;
    // every pixel more would only be blended in vain.
    d.centre = int(std::ceil(extent)) + 1;
    const int size = 2 * d.centre + 1;
    d.image = QImage(size, size, QImage::Format_ARGB32_Premultiplied);
    d.image.fill(Qt::transparent);
    {
        // Rendered at the same sub-pixel place the centre takes on the
        // image, so the drawn disc matches a directly painted one.
        QPainter p(&d.image);
        p.scale(ratio, ratio);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(ink);
        const double c = (d.centre + PenOffset(width, ratio)) / ratio;
        const double radius = radiusTwips / TwipsPerPixel;
        p.drawEllipse(QPointF(c, c), radius, radius);
    }
    m_discs.push_back(std::move(d));
    return m_discs.back();
}
