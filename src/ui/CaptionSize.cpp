#include "ui/CaptionSize.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>

QSize CaptionSize(const QFont& font, const QStringList& captions, int wrapWidth)
{
    const QFontMetrics metrics(font);
    const int flags = Qt::AlignLeft | Qt::AlignTop | (wrapWidth > 0 ? Qt::TextWordWrap : 0);
    QSize needed(0, 0);
    for (const QString& caption : captions) {
        // The line boxes, with a line to spare for glyphs reaching beyond them.
        const QRect lines = metrics.boundingRect(QRect(0, 0, wrapWidth, 0), flags, caption);
        const int spare = metrics.height();
        QImage image(std::max(lines.right(), wrapWidth) + spare, lines.bottom() + spare,
            QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QRect(0, 0, wrapWidth > 0 ? wrapWidth : image.width(), image.height()),
                flags, caption);
        }
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(line[x]) > 64)
                    needed = needed.expandedTo(QSize(x + 1, y + 1));
            }
        }
    }
    return needed;
}
