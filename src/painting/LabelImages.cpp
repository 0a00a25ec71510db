#include "painting/LabelImages.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

void PaintHaloedText(QPainter& painter, QPointF origin, const QString& text, const QFont& font,
    const QColor& ink, const QColor& background, double halo, bool slanted)
{
    painter.save();
    if (slanted) {
        painter.translate(origin);
        painter.shear(-LabelSlant, 0.0);
        painter.translate(-origin);
    }
    painter.setFont(font);
    painter.setPen(background);
    for (const QPointF shift :
        { QPointF(-halo, -halo), QPointF(0.0, -halo), QPointF(halo, -halo), QPointF(-halo, 0.0),
            QPointF(halo, 0.0), QPointF(-halo, halo), QPointF(0.0, halo), QPointF(halo, halo) })
        painter.drawText(origin + shift, text);
    painter.setPen(ink);
    painter.drawText(origin, text);
    painter.restore();
}

const LabelImages::Label* LabelImages::label(const QString& text, const QFont& font, QPointF origin,
    qreal ratio, const QColor& ink, const QColor& background, double halo, bool slanted)
{
    const std::pair<QString, qint64> key { text,
        (qint64(ink.rgba()) << 2) + int(font.bold()) + 2 * int(slanted) };
    if (const auto found = m_labels.constFind(key); found != m_labels.cend())
        return &*found;
    // The glyphs' ink and the halo around it, with a pixel to spare for the
    // antialiased edges.
    QRectF drawn = QFontMetricsF(font).boundingRect(text).adjusted(
        -halo - 1.0, -halo - 1.0, halo + 1.0, halo + 1.0);
    // A slanted label reaches right above the baseline, left below it.
    if (slanted)
        drawn.adjust(-LabelSlant * std::max(0.0, drawn.bottom()), 0, LabelSlant * -drawn.top(), 0);
    const QRectF box = drawn.translated(origin);
    const QPoint topLeft(int(std::floor(box.left() * ratio)), int(std::floor(box.top() * ratio)));
    const QSize size(int(std::ceil(box.right() * ratio)) - topLeft.x(),
        int(std::ceil(box.bottom() * ratio)) - topLeft.y());
    const qsizetype bytes = qsizetype(size.width()) * size.height() * 4;
    if (size.isEmpty())
        return nullptr;
    // Past the budget a label is still drawn from an image, made afresh and
    // not kept: painted directly it would differ by a level or two here and
    // there, and a picture must not depend on what was drawn before it.
    const bool kept = m_bytes + bytes <= m_budget;

    // Painted twice at the same fraction of a device pixel as on the
    // picture, so that the glyphs land as they would there: over nothing,
    // for how much of each pixel the label covers, and over the background,
    // for the colours it gives there. Qt blends text over an opaque pixel
    // with a gamma that a partly covered one does not get; painted over
    // nothing alone, thin glyphs would come out darker at their edges.
    const auto paint = [&](const QColor& under) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(under);
        image.setDevicePixelRatio(ratio);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        PaintHaloedText(
            painter, origin - QPointF(topLeft) / ratio, text, font, ink, background, halo, slanted);
        return image;
    };
    Label made { topLeft, paint(Qt::transparent) };
    const QImage over = paint(background);
    // The premultiplied colour that, laid over the background with the
    // label's coverage, gives exactly what was painted over it.
    const QRgb under = background.rgb();
    const auto part = [](int painted, int underneath, int alpha) {
        return std::clamp(painted - (underneath * (255 - alpha) + 127) / 255, 0, alpha);
    };
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(made.image.scanLine(y));
        const auto* painted = reinterpret_cast<const QRgb*>(over.constScanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int alpha = qAlpha(line[x]);
            line[x] = qRgba(part(qRed(painted[x]), qRed(under), alpha),
                part(qGreen(painted[x]), qGreen(under), alpha),
                part(qBlue(painted[x]), qBlue(under), alpha), alpha);
        }
    }
    // Drawn in device pixels, one image pixel to each.
    made.image.setDevicePixelRatio(1.0);
    if (!kept) {
        m_scratch = std::move(made);
        return &m_scratch;
    }
    m_bytes += bytes;
    return &*m_labels.insert(key, std::move(made));
}
