#include "ui/CaptionSize.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

QSize CaptionSize(const QFont& font, const QStringList& captions, int wrapWidth)
{
    const QFontMetricsF metrics(font);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(wrapWidth > 0 ? QTextOption::WordWrap : QTextOption::NoWrap);
    qreal right = 0.0;
    qreal bottom = 0.0;
    for (const QString& caption : captions) {
        QTextLayout layout(caption, font);
        layout.setTextOption(option);
        layout.beginLayout();
        qreal y = 0.0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(wrapWidth > 0 ? wrapWidth : 1.0e6);
            y += std::max<qreal>(metrics.leading(), 0.0);
            line.setPosition(QPointF(0.0, y));
            // Measured by ink, not by line boxes: the empty descent of the
            // last line may fall outside the label.
            QPainterPath outline;
            outline.addText(0.0, 0.0, font, caption.mid(line.textStart(), line.textLength()));
            const QRectF ink = outline.boundingRect();
            if (!ink.isEmpty()) {
                right = std::max(right, line.x() + ink.right());
                bottom = std::max(bottom, y + line.ascent() + ink.bottom());
            }
            y += line.height();
        }
        layout.endLayout();
    }
    return { int(std::ceil(right)), int(std::ceil(bottom)) };
}
