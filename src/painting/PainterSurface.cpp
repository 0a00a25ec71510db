#include "painting/PainterSurface.h"

#include "geometry/Geometry.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHashFunctions>
#include <QPainterPath>
#include <QPen>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

constexpr int TwipsPerPixel = PictureSize::TwipsPerPixel;

// Far beyond any figure; keeps the rasteriser and the int conversions of
// the disc blitter away from absurd values.
constexpr double MaxCoordinateTwips = 1.0e7;
// Discs larger than this are painted directly rather than cached.
constexpr double MaxCachedDiscPixels = 128.0;
constexpr std::size_t MaxCachedDiscs = 32;
// 96 dots per inch, so a point is exactly 4/3 of a logical pixel.
constexpr int DotsPerMeter96Dpi = 3780;

bool usable(double v)
{
    return std::isfinite(v) && std::abs(v) <= MaxCoordinateTwips;
}

// The labels' overbars are placed for a font whose "(" is about 50 twips
// and whose digits are 100 twips wide: a proportional Japanese Gothic font
// first, then whatever sans-serif font the system has.
QFont chooseLabelFont()
{
    const QStringList preferred { QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
        QStringLiteral("IPAexGothic"), QStringLiteral("VL PGothic"),
        QStringLiteral("Noto Sans JP") };
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    // Unhinted, the advances scale linearly with the size chosen below.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPixelSize(100);
    bool found = false;
    for (const QString& family : preferred) {
        if (!QFontDatabase::hasFamily(family))
            continue;
        font.setFamilies({ family });
        const QFontMetricsF metrics(font);
        const double ratio = metrics.horizontalAdvance(QLatin1Char('('))
            / metrics.horizontalAdvance(QLatin1Char('0'));
        // A monospaced font gives "(" a whole digit's width and pushes every
        // digit out from under its overbar.
        if (ratio > 0.35 && ratio < 0.75) {
            found = true;
            break;
        }
    }
    if (!found)
        font.setFamilies({ QFontDatabase::systemFont(QFontDatabase::GeneralFont).family() });

    const double digitAt100 = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    const double digitPixels = 100.0 / TwipsPerPixel;
    if (digitAt100 <= 0.0) {
        font.setPixelSize(12);
        return font;
    }
    // Font sizes come in whole pixels, which leaves digits up to 4 % off;
    // the stretch takes up the rest, so every overbar stays over its digit.
    font.setPixelSize(std::max(1, int(std::lround(100.0 * digitPixels / digitAt100))));
    const double digit = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    if (digit > 0.0)
        font.setStretch(std::clamp(int(std::lround(100.0 * digitPixels / digit)), 50, 200));
    return font;
}

// Source-over of premultiplied black with coverage a onto one pixel.
inline uint32_t blendBlack(uint32_t dst, uint32_t a)
{
    const uint32_t ia = 255 - a;
    uint32_t rb = (dst & 0xff00ffu) * ia;
    rb = ((rb + ((rb >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
    uint32_t ag = ((dst >> 8) & 0xff00ffu) * ia;
    ag = (ag + ((ag >> 8) & 0xff00ffu) + 0x800080u) & 0xff00ff00u;
    return (ag | rb) + (a << 24);
}

// The same for any premultiplied ink, channel by channel.
inline uint32_t blendInk(uint32_t dst, uint32_t a, uint32_t ink)
{
    const uint32_t ia = 255 - a;
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t d = (dst >> shift) & 0xffu;
        const uint32_t s = (ink >> shift) & 0xffu;
        out |= ((d * ia + s * a + 127) / 255) << shift;
    }
    return out;
}

} // namespace

PainterSurface::PainterSurface(int widthTwips, int heightTwips, qreal devicePixelRatio)
    : m_widthTwips(std::max(widthTwips, 1))
    , m_heightTwips(std::max(heightTwips, 1))
    , m_font(chooseLabelFont())
{
    setDevicePixelRatio(devicePixelRatio);
}

void PainterSurface::setDevicePixelRatio(qreal ratio)
{
    if (m_painter.isActive())
        m_painter.end();
    m_queue.clear();
    m_ratio = (std::isfinite(ratio) && ratio >= 0.25 && ratio <= 16.0) ? ratio : 1.0;
    const double logicalWidth = std::ceil(double(m_widthTwips) / TwipsPerPixel);
    const double logicalHeight = std::ceil(double(m_heightTwips) / TwipsPerPixel);
    m_image = QImage(int(std::ceil(logicalWidth * m_ratio)),
        int(std::ceil(logicalHeight * m_ratio)), QImage::Format_ARGB32_Premultiplied);
    m_image.setDevicePixelRatio(m_ratio);
    m_image.setDotsPerMeterX(DotsPerMeter96Dpi);
    m_image.setDotsPerMeterY(DotsPerMeter96Dpi);
    m_image.fill(m_background);
    m_painted.clear();
    m_fontAscent = QFontMetricsF(m_font, &m_image).ascent();
    m_discs.clear();
}

QPainter& PainterSurface::painter()
{
    if (!m_queue.empty())
        finishPainting();
    if (!m_painter.isActive()) {
        m_painter.begin(&m_image);
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_painter.setRenderHint(QPainter::TextAntialiasing);
        m_painter.setFont(m_font);
    }
    QPen pen(m_ink, m_drawWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (m_painter.pen() != pen)
        m_painter.setPen(pen);
    return m_painter;
}

void PainterSurface::setInk(const QColor& color)
{
    // Markers already queued keep the ink they were drawn with.
    finishPainting();
    m_ink = color;
}

void PainterSurface::finishPainting() const
{
    // Never write the bits while a painter holds them.
    if (m_painter.isActive())
        m_painter.end();
    if (!m_queue.empty())
        blitQueuedDiscs();
}

QPointF PainterSurface::snapped(double xTwips, double yTwips) const
{
    const double offset = (std::lround(penDevicePixels()) % 2 == 1) ? 0.5 : 0.0;
    const double scale = m_ratio / TwipsPerPixel;
    const double x = std::floor(xTwips * scale - offset + 0.5) + offset;
    const double y = std::floor(yTwips * scale - offset + 0.5) + offset;
    return { x / m_ratio, y / m_ratio };
}

void PainterSurface::Cls()
{
    if (m_painter.isActive())
        m_painter.end();
    m_queue.clear();
    m_image.fill(m_background);
    m_painted.clear();
    m_currentX = 0.0;
    m_currentY = 0.0;
}

std::size_t PainterSurface::MarkHash::operator()(const Mark& mark) const
{
    // Qt's double hash maps -0.0 and 0.0 alike, as == does.
    return qHashMulti(qHashRange(mark.values.begin(), mark.values.end()), mark.kind, mark.fill,
        mark.width, mark.text);
}

bool PainterSurface::firstTime(Mark&& mark)
{
    return m_painted.insert(std::move(mark)).second;
}

int PainterSurface::parseDrawWidth(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    int value = 0;
    for (const QChar c : trimmed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
        value = value * 10 + (c.unicode() - '0');
        if (value > MaxDrawWidth)
            return 0;
    }
    return value;
}

void PainterSurface::SetDrawWidth(const QString& lineWidth)
{
    if (const int width = parseDrawWidth(lineWidth); width > 0)
        m_drawWidth = width;
}

void PainterSurface::Line(double x1, double y1, double x2, double y2)
{
    if (!usable(x1) || !usable(y1) || !usable(x2) || !usable(y2)
        || !firstTime({ Mark::Line, 0, m_drawWidth, { x1, y1, x2, y2, 0.0 }, {} }))
        return;
    painter().drawLine(snapped(x1, y1), snapped(x2, y2));
}

void PainterSurface::Circle(double cx, double cy, double r)
{
    if (!usable(cx) || !usable(cy) || !usable(r) || r < 0.0
        || !firstTime({ Mark::Circle, int16_t(m_fillStyle != 0 ? 1 : 0), m_drawWidth,
            { cx, cy, r, 0.0, 0.0 }, {} }))
        return;
    if (m_fillStyle != 0) {
        QPainter& p = painter();
        p.setBrush(Qt::NoBrush);
        const double radius = r / TwipsPerPixel;
        p.drawEllipse(snapped(cx, cy), radius, radius);
        return;
    }
    if (r * m_ratio / TwipsPerPixel + penDevicePixels() > MaxCachedDiscPixels) {
        paintFilledCircleDirectly(cx, cy, r);
        return;
    }
    queueDisc(disc(r), cx, cy);
}

void PainterSurface::paintFilledCircleDirectly(double cx, double cy, double r)
{
    if (!usable(cx) || !usable(cy) || !usable(r) || r < 0.0)
        return;
    QPainter& p = painter();
    p.setBrush(m_ink);
    const double radius = r / TwipsPerPixel;
    p.drawEllipse(snapped(cx, cy), radius, radius);
    p.setBrush(Qt::NoBrush);
}

void PainterSurface::Arc(double cx, double cy, double r, double start, double end)
{
    if (!usable(cx) || !usable(cy) || !usable(r) || r <= 0.0 || !std::isfinite(start)
        || !std::isfinite(end)
        || !firstTime({ Mark::Arc, 0, m_drawWidth, { cx, cy, r, start, end }, {} }))
        return;
    constexpr double degreesPerRadian = 180.0 / Pi;
    double sweep = (end - start) * degreesPerRadian;
    // The arc always runs counterclockwise from start to end.
    if (sweep < 0.0)
        sweep = std::fmod(sweep, 360.0) + 360.0;
    const double radius = r / TwipsPerPixel;
    const QPointF centre = snapped(cx, cy);
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    // Qt's angles also grow counterclockwise on screen from 3 o'clock.
    QPainterPath path;
    path.arcMoveTo(box, start * degreesPerRadian);
    path.arcTo(box, start * degreesPerRadian, sweep);
    QPainter& p = painter();
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void PainterSurface::Print(const QString& text)
{
    if (!usable(m_currentX) || !usable(m_currentY) || text.isEmpty()
        || !firstTime({ Mark::Text, 0, 0, { m_currentX, m_currentY, 0.0, 0.0, 0.0 }, text }))
        return;
    const double scale = m_ratio / TwipsPerPixel;
    const double x = std::round(m_currentX * scale) / m_ratio;
    const double y = std::round(m_currentY * scale) / m_ratio;
    painter().drawText(QPointF(x, y + m_fontAscent), text);
}

std::size_t PainterSurface::disc(double radiusTwips)
{
    for (std::size_t i = 0; i < m_discs.size(); ++i) {
        const Disc& d = m_discs[i];
        if (d.radiusTwips == radiusTwips && d.width == m_drawWidth && d.ratio == m_ratio)
            return i;
    }
    if (m_discs.size() >= MaxCachedDiscs) {
        finishPainting();
        m_discs.clear();
    }

    Disc d;
    d.radiusTwips = radiusTwips;
    d.width = m_drawWidth;
    d.ratio = m_ratio;
    const double extent = (radiusTwips / TwipsPerPixel + m_drawWidth / 2.0) * m_ratio;
    d.centre = int(std::ceil(extent)) + 2;
    d.size = 2 * d.centre + 2;

    // Rendered by QPainter itself, at the same sub-pixel place the centre
    // takes on the image, so the blitted disc matches a directly painted one.
    const double offset = (std::lround(penDevicePixels()) % 2 == 1) ? 0.5 : 0.0;
    QImage mask(d.size, d.size, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    mask.setDevicePixelRatio(m_ratio);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, m_drawWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::black);
        const double c = (d.centre + offset) / m_ratio;
        const double radius = radiusTwips / TwipsPerPixel;
        p.drawEllipse(QPointF(c, c), radius, radius);
    }

    d.alpha.resize(std::size_t(d.size) * std::size_t(d.size));
    d.rows.assign(std::size_t(d.size), Disc::Row {});
    for (int y = 0; y < d.size; ++y) {
        const auto* line = reinterpret_cast<const uint32_t*>(mask.constScanLine(y));
        uint8_t* cover = d.alpha.data() + std::size_t(y) * std::size_t(d.size);
        for (int x = 0; x < d.size; ++x)
            cover[x] = uint8_t(line[x] >> 24);
        Disc::Row& row = d.rows[std::size_t(y)];
        while (row.begin < d.size && cover[row.begin] == 0)
            ++row.begin;
        row.end = d.size;
        while (row.end > row.begin && cover[row.end - 1] == 0)
            --row.end;
        row.solidBegin = row.begin;
        while (row.solidBegin < row.end && cover[row.solidBegin] != 255)
            ++row.solidBegin;
        row.solidEnd = row.end;
        while (row.solidEnd > row.solidBegin && cover[row.solidEnd - 1] != 255)
            --row.solidEnd;
        // A disc is convex, so its opaque pixels form one run per row; should
        // a row ever have a gap, blend all of it instead.
        if (!std::all_of(
                cover + row.solidBegin, cover + row.solidEnd, [](uint8_t a) { return a == 255; }))
            row.solidBegin = row.solidEnd = row.end;
    }
    m_discs.push_back(std::move(d));
    return m_discs.size() - 1;
}

void PainterSurface::queueDisc(std::size_t index, double cx, double cy)
{
    const Disc& d = m_discs[index];
    const double offset = (std::lround(penDevicePixels()) % 2 == 1) ? 0.5 : 0.0;
    const double scale = m_ratio / TwipsPerPixel;
    const int left = int(std::floor(cx * scale - offset + 0.5)) - d.centre;
    const int top = int(std::floor(cy * scale - offset + 0.5)) - d.centre;
    if (left >= m_image.width() || top >= m_image.height() || left + d.size <= 0
        || top + d.size <= 0)
        return;
    m_queue.push_back({ left, top, index });
}

void PainterSurface::blitQueuedDiscs() const
{
    // Counting sort by top row: linear, and the order within a row is kept.
    int firstTop = m_queue.front().top;
    int lastTop = firstTop;
    for (const QueuedDisc& q : m_queue) {
        firstTop = std::min(firstTop, q.top);
        lastTop = std::max(lastTop, q.top);
    }
    m_rowCounts.assign(std::size_t(lastTop - firstTop) + 2, 0);
    for (const QueuedDisc& q : m_queue)
        ++m_rowCounts[std::size_t(q.top - firstTop) + 1];
    for (std::size_t i = 1; i < m_rowCounts.size(); ++i)
        m_rowCounts[i] += m_rowCounts[i - 1];
    m_sorted.resize(m_queue.size());
    for (const QueuedDisc& q : m_queue)
        m_sorted[std::size_t(m_rowCounts[std::size_t(q.top - firstTop)]++)] = q;
    m_queue.clear();

    uchar* bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    const int width = m_image.width();
    const int height = m_image.height();
    const uint32_t ink = qPremultiply(m_ink.rgba());
    // Black keeps its own blend, so a light palette paints today's pixels.
    const bool black = ink == 0xff000000u;
    for (const QueuedDisc& q : m_sorted) {
        const Disc& d = m_discs[q.disc];
        const int yFrom = std::max(0, -q.top);
        const int yTo = std::min(d.size, height - q.top);
        for (int y = yFrom; y < yTo; ++y) {
            const Disc::Row& span = d.rows[std::size_t(y)];
            // Columns relative to the disc, clipped to the image.
            const int from = std::max(span.begin, -q.left);
            const int to = std::min(span.end, width - q.left);
            if (from >= to)
                continue;
            auto* row = reinterpret_cast<uint32_t*>(bits + (q.top + y) * stride) + q.left;
            const uint8_t* cover = d.alpha.data() + std::size_t(y) * std::size_t(d.size);
            const int solidFrom = std::clamp(span.solidBegin, from, to);
            const int solidTo = std::clamp(span.solidEnd, solidFrom, to);
            for (int x = from; x < solidFrom; ++x)
                row[x] = black ? blendBlack(row[x], cover[x]) : blendInk(row[x], cover[x], ink);
            std::fill(row + solidFrom, row + solidTo, ink);
            for (int x = solidTo; x < to; ++x)
                row[x] = black ? blendBlack(row[x], cover[x]) : blendInk(row[x], cover[x], ink);
        }
    }
    m_sorted.clear();
}
