#include "painting/PainterSurface.h"

#include "geometry/Geometry.h"
#include "painting/LabelFont.h"
#include "painting/PainterPath.h"

#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace {

constexpr int TwipsPerPixel = PictureSize::TwipsPerPixel;

// Far beyond any figure; keeps the rasteriser and the int conversions of
// the disc placement away from absurd values.
constexpr double MaxCoordinateTwips = 1.0e7;
// Discs larger than this are painted directly rather than cached.
constexpr double MaxCachedDiscPixels = 128.0;
// The width of the knock-out stroked around a haloed text's outline, in
// logical pixels: half of it shows beyond the glyphs.
constexpr double HaloPixels = 3.0;
// A logical pixel is 1/96 inch. The label font is sized in pixels, so the
// image's resolution tells only its physical size, never its painting.
constexpr int DotsPerMeter96Dpi = 3780;

bool Usable(double v)
{
    return std::isfinite(v) && std::abs(v) <= MaxCoordinateTwips;
}

} // namespace

PainterSurface::PainterSurface(int widthTwips, int heightTwips, qreal devicePixelRatio)
    : m_widthTwips(std::max(widthTwips, 1))
    , m_heightTwips(std::max(heightTwips, 1))
    , m_device(&m_image)
    , m_font(ChooseLabelFont())
{
    setDevicePixelRatio(devicePixelRatio);
}

PainterSurface::PainterSurface(
    QPaintDevice& device, int widthTwips, int heightTwips, double unitsPerPixel)
    : m_widthTwips(std::max(widthTwips, 1))
    , m_heightTwips(std::max(heightTwips, 1))
    , m_device(&device)
    // The device's metrics need not be its units: an SVG's size is its
    // physical extent, its coordinates are those of its view box.
    , m_deviceScale(std::isfinite(unitsPerPixel) && unitsPerPixel > 0.0 ? unitsPerPixel : 1.0)
    , m_font(ChooseLabelFont())
{
    m_roundDots = device.paintEngine() && device.paintEngine()->type() == QPaintEngine::Pdf;
    // Metrics of the font as the screen lays it out, so labels sit alike.
    m_textOrigin = LabelTextOrigin(m_font, nullptr, 1.0);
}

PainterSurface::~PainterSurface()
{
    finish();
}

void PainterSurface::finish()
{
    if (m_painter.isActive())
        m_painter.end();
    m_inDevicePixels = false;
}

PainterSurface::Checkpoint PainterSurface::checkpoint() const
{
    return { image(), m_painted, m_drawWidth, m_fillStyle, m_tone, m_currentX, m_currentY };
}

void PainterSurface::restore(const Checkpoint& checkpoint)
{
    if (!raster() || checkpoint.image.size() != m_image.size())
        return;
    finishPainting();
    // Shared until the next operation paints; then Qt copies it once.
    m_image = checkpoint.image;
    m_painted = checkpoint.painted;
    m_drawWidth = checkpoint.drawWidth;
    m_fillStyle = checkpoint.fillStyle;
    m_tone = checkpoint.tone;
    m_currentX = checkpoint.currentX;
    m_currentY = checkpoint.currentY;
}

void PainterSurface::setDevicePixelRatio(qreal ratio)
{
    if (!raster())
        return;
    finishPainting();
    // Up to 25: a 2400 dpi export.
    m_ratio = (std::isfinite(ratio) && ratio >= 0.25 && ratio <= 25.0) ? ratio : 1.0;
    const double logicalWidth = std::ceil(double(m_widthTwips) / TwipsPerPixel);
    const double logicalHeight = std::ceil(double(m_heightTwips) / TwipsPerPixel);
    m_image = QImage(int(std::ceil(logicalWidth * m_ratio)),
        int(std::ceil(logicalHeight * m_ratio)), QImage::Format_ARGB32_Premultiplied);
    m_image.setDevicePixelRatio(m_ratio);
    // 96 logical pixels to the inch, so a PNG made of the image keeps the
    // picture's physical size at every density.
    const int dotsPerMeter = int(std::lround(DotsPerMeter96Dpi * m_ratio));
    m_image.setDotsPerMeterX(dotsPerMeter);
    m_image.setDotsPerMeterY(dotsPerMeter);
    m_image.fill(m_background);
    m_painted.clear();
    m_textOrigin = LabelTextOrigin(m_font, &m_image, m_ratio);
    m_discs.clear();
    m_colourDiscs.clear();
    m_clearDiscs.clear();
    m_labels.clear();
    // Room for the labels of a few hundred poles, a few thousand at ratio 1:
    // as much as the picture itself at the higher densities.
    m_labels.setBudget(std::max(qsizetype(4) << 20, m_image.sizeInBytes()));
}

// A mid blue, as readable on white as on a dark palette's black.
const QColor PainterSurface::SecondColour = QColor(40, 110, 230);

void PainterSurface::setInk(const QColor& color)
{
    if (color == m_ink)
        return;
    m_ink = color;
    // The cached discs and labels carry the old colour.
    finishPainting();
    m_discs.clear();
    m_labels.clear();
}

QPainter& PainterSurface::painter(Space space)
{
    if (!m_painter.isActive()) {
        m_painter.begin(m_device);
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_painter.setRenderHint(QPainter::TextAntialiasing);
        if (!raster())
            m_painter.scale(m_deviceScale, m_deviceScale);
        m_painter.setFont(m_font);
        m_inDevicePixels = false;
        m_penWidth = -1;
    }
    // Only the screen draws in device pixels.
    const bool devicePixels = space == Space::DevicePixels && raster();
    if (devicePixels != m_inDevicePixels) {
        // Undoes the scale the painter itself applies, which Qt may round
        // to 1/65536: a scale off by that little sends every image through
        // Qt's scaling path at twice the cost.
        const qreal applied = m_device->devicePixelRatio();
        m_painter.setWorldTransform(
            devicePixels ? QTransform::fromScale(1.0 / applied, 1.0 / applied) : QTransform());
        m_inDevicePixels = devicePixels;
    }
    const QColor ink = strokeInk();
    if (!devicePixels && (m_penWidth != m_drawWidth || m_penInk != ink)) {
        m_painter.setPen(QPen(ink, m_drawWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_penWidth = m_drawWidth;
        m_penInk = ink;
    }
    return m_painter;
}

void PainterSurface::finishPainting() const
{
    // A painter holding the image would detach it on the next write and keep
    // a reader from seeing a finished picture.
    if (m_device == &m_image && m_painter.isActive()) {
        m_painter.end();
        m_inDevicePixels = false;
    }
}

QColor PainterSurface::strokeInk() const
{
    const QColor& ink = currentInk();
    if (m_tone != Tone::Faint)
        return ink;
    // A third of the way from the background to the ink: on a light or a
    // dark palette alike, it reads as a fine line that marks do not drown in.
    constexpr double Weight = 0.35;
    const auto mix = [](double full, double background) {
        return int(std::lround(Weight * full + (1.0 - Weight) * background));
    };
    return QColor(mix(ink.red(), m_background.red()), mix(ink.green(), m_background.green()),
        mix(ink.blue(), m_background.blue()));
}

QPointF PainterSurface::place(double xTwips, double yTwips) const
{
    if (!raster())
        return { xTwips / TwipsPerPixel, yTwips / TwipsPerPixel };
    const double offset = PenOffset(m_drawWidth, m_ratio);
    const double scale = m_ratio / TwipsPerPixel;
    const double x = std::floor(xTwips * scale - offset + 0.5) + offset;
    const double y = std::floor(yTwips * scale - offset + 0.5) + offset;
    return { x / m_ratio, y / m_ratio };
}

void PainterSurface::Cls()
{
    if (raster()) {
        finishPainting();
        m_image.fill(m_background);
    } else {
        painter().fillRect(QRectF(0.0, 0.0, double(m_widthTwips) / TwipsPerPixel,
                               double(m_heightTwips) / TwipsPerPixel),
            m_background);
    }
    // The next picture has about as many marks; keep room for them.
    m_painted.clear();
    m_currentX = 0.0;
    m_currentY = 0.0;
}

void PainterSurface::SetDrawWidth(int width)
{
    if (width >= 1 && width <= MaxLineWidth)
        m_drawWidth = width;
}

void PainterSurface::Line(double x1, double y1, double x2, double y2)
{
    if (!Usable(x1) || !Usable(y1) || !Usable(x2) || !Usable(y2)
        || !firstTime(
            PaintedMark { PaintedMark::Line, toneStyle(), m_drawWidth, { x1, y1, x2, y2, 0.0 } }))
        return;
    painter().drawLine(place(x1, y1), place(x2, y2));
}

void PainterSurface::Circle(double cx, double cy, double r)
{
    if (!Usable(cx) || !Usable(cy) || !Usable(r) || r < 0.0
        || !firstTime(PaintedMark { PaintedMark::Circle,
            int16_t(m_fillStyle != 0 ? PaintedMark::OpenCircle | toneStyle() : 0), m_drawWidth,
            { cx, cy, r, 0.0, 0.0 } }))
        return;
    if (m_fillStyle != 0) {
        QPainter& p = painter();
        p.setBrush(Qt::NoBrush);
        const double radius = r / TwipsPerPixel;
        p.drawEllipse(place(cx, cy), radius, radius);
        return;
    }
    if (!raster() || r * m_ratio / TwipsPerPixel + penDevicePixels() > MaxCachedDiscPixels) {
        paintFilledCircleDirectly(cx, cy, r);
        return;
    }
    drawDisc(cx, cy, r);
}

void PainterSurface::paintFilledCircleDirectly(double cx, double cy, double r)
{
    if (!Usable(cx) || !Usable(cy) || !Usable(r) || r < 0.0)
        return;
    QPainter& p = painter();
    const double radius = r / TwipsPerPixel;
    if (m_roundDots) {
        // PDF's own compact disc: a dot stroked with a round pen as wide as
        // the mark, a sixth of the bytes of four Bezier curves.
        p.setPen(QPen(currentInk(), 2.0 * radius + m_drawWidth, Qt::SolidLine, Qt::RoundCap));
        m_penWidth = -1;
        p.drawPoint(place(cx, cy));
        return;
    }
    // Set only when it changes: a vector document opens a new group for
    // every change of state, which would double its size at full store.
    if (p.brush().style() != Qt::SolidPattern || p.brush().color() != currentInk())
        p.setBrush(currentInk());
    p.drawEllipse(place(cx, cy), radius, radius);
}

void PainterSurface::Arc(double cx, double cy, double r, double start, double end)
{
    if (!Usable(cx) || !Usable(cy) || !Usable(r) || r <= 0.0 || !std::isfinite(start)
        || !std::isfinite(end)
        || !firstTime(
            PaintedMark { PaintedMark::Arc, toneStyle(), m_drawWidth, { cx, cy, r, start, end } }))
        return;
    constexpr double degreesPerRadian = 180.0 / Pi;
    double sweep = (end - start) * degreesPerRadian;
    // The arc always runs counterclockwise from start to end.
    if (sweep < 0.0)
        sweep = std::fmod(sweep, 360.0) + 360.0;
    const double radius = r / TwipsPerPixel;
    const QPointF centre = place(cx, cy);
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    // Qt's angles also grow counterclockwise on screen from 3 o'clock.
    QPainterPath path;
    path.arcMoveTo(box, start * degreesPerRadian);
    path.arcTo(box, start * degreesPerRadian, sweep);
    QPainter& p = painter();
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void PainterSurface::Path(TwipsPoint start, std::span<const PathPiece> pieces)
{
    const auto usable = [](TwipsPoint p) { return Usable(p.x) && Usable(p.y); };
    if (pieces.empty() || !usable(start)
        || !std::all_of(pieces.begin(), pieces.end(), [&](const PathPiece& piece) {
               return usable(piece.to) && usable(piece.control1) && usable(piece.control2);
           }))
        return;
    // Not snapped to the pixels as lines are: a curve is drawn where it lies.
    QPainter& p = painter();
    p.setBrush(Qt::NoBrush);
    p.drawPath(ToPainterPath(start, pieces));
}

void PainterSurface::Print(std::string_view ascii)
{
    const QString text = QString::fromLatin1(ascii.data(), qsizetype(ascii.size()));
    if (!Usable(m_currentX) || !Usable(m_currentY) || text.isEmpty()
        || !firstTime(PrintedText { m_currentX, m_currentY, text }))
        return;
    QPointF corner(m_currentX / TwipsPerPixel, m_currentY / TwipsPerPixel);
    if (raster()) {
        const double scale = m_ratio / TwipsPerPixel;
        corner = { std::round(m_currentX * scale) / m_ratio,
            std::round(m_currentY * scale) / m_ratio };
    }
    if (m_textStyle == TextStyle::Plain) {
        painter().drawText(corner + m_textOrigin, text);
        return;
    }
    // The knock-out is the text's outline stroked in the background colour:
    // in SVG and PDF a path, so that it stays a vector.
    QFont font = m_font;
    font.setBold(
        m_textStyle == TextStyle::HaloedBold || m_textStyle == TextStyle::HaloedBoldItalic);
    // The second crystal's labels lean: drawn slanted, since the label fonts
    // have no italic face.
    const bool slanted
        = m_textStyle == TextStyle::HaloedItalic || m_textStyle == TextStyle::HaloedBoldItalic;
    const QPointF origin = corner + m_textOrigin;
    if (raster()) {
        constexpr double Step = HaloPixels / 2.0;
        const LabelImages::Label* label = m_tone == Tone::Full
            ? m_labels.label(
                text, font, m_textOrigin, m_ratio, currentInk(), m_background, Step, slanted)
            : nullptr;
        if (!label) {
            PaintHaloedText(
                painter(), origin, text, font, strokeInk(), m_background, Step, slanted);
            return;
        }
        const double scale = m_ratio / TwipsPerPixel;
        const QPoint at(int(std::round(m_currentX * scale)), int(std::round(m_currentY * scale)));
        painter(Space::DevicePixels).drawImage(at + label->offset, label->image);
        return;
    }
    QPainter& p = painter();
    const QPen ink = p.pen();
    p.save();
    if (slanted) {
        p.translate(origin);
        p.shear(-LabelSlant, 0.0);
        p.translate(-origin);
    }
    QPainterPath outline;
    outline.addText(origin, font, text);
    p.setPen(QPen(m_background, HaloPixels, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    p.setPen(ink);
    p.setFont(font);
    p.drawText(origin, text);
    p.restore();
}

void PainterSurface::printCentred(const QStringList& lines, double top, double lineHeight)
{
    QPainter& p = painter();
    for (const QString& line : lines) {
        p.drawText(QRectF(0.0, top / TwipsPerPixel, double(m_widthTwips) / TwipsPerPixel,
                       lineHeight / TwipsPerPixel),
            Qt::AlignHCenter | Qt::AlignTop, line);
        top += lineHeight;
    }
}

void PainterSurface::KnockOut(double cx, double cy, double r)
{
    if (!Usable(cx) || !Usable(cy) || !Usable(r) || r <= 0.0)
        return;
    if (raster() && r * m_ratio / TwipsPerPixel <= MaxCachedDiscPixels) {
        drawDisc(cx, cy, r, m_clearDiscs, m_background, 1);
        return;
    }
    QPainter& p = painter();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(m_background);
    const double radius = r / TwipsPerPixel;
    p.drawEllipse(place(cx, cy), radius, radius);
    p.restore();
}

void PainterSurface::drawDisc(double cx, double cy, double r)
{
    drawDisc(cx, cy, r, m_colour == 1 ? m_colourDiscs : m_discs, currentInk(), m_drawWidth);
}

void PainterSurface::drawDisc(
    double cx, double cy, double r, DiscCache& cache, const QColor& colour, int width)
{
    const DiscCache::Disc& d = cache.disc(r, width, m_ratio, colour);
    const double offset = PenOffset(width, m_ratio);
    const double scale = m_ratio / TwipsPerPixel;
    const int left = int(std::floor(cx * scale - offset + 0.5)) - d.centre;
    const int top = int(std::floor(cy * scale - offset + 0.5)) - d.centre;
    if (left >= m_image.width() || top >= m_image.height() || left + d.image.width() <= 0
        || top + d.image.height() <= 0)
        return;
    // Drawn in device pixels, where an image lands on whole pixels unscaled,
    // Qt's fastest path and the same pixels at every device pixel ratio.
    painter(Space::DevicePixels).drawImage(QPoint(left, top), d.image);
}
