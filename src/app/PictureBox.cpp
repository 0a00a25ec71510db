#include "app/PictureBox.h"

#include "painting/PainterSurface.h"

#include <QPaintEvent>
#include <QPainter>

PictureBox::PictureBox(PainterSurface& surface, QWidget* parent)
    : QWidget(parent)
    , m_surface(surface)
{
    // The image holds everything; nothing needs repainting when the box grows
    // or is uncovered beyond the part the system asks for.
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(PictureSize::WidthPixels, PictureSize::HeightPixels);
    // A stop in the window's tab order, and a click moves the focus here too.
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    const QImage& image = m_surface.image();
    const qreal ratio = image.devicePixelRatio();
    const QRect dirty = event->rect();
    // The source rectangle is in image pixels, the target in logical pixels.
    const QRectF source(
        dirty.x() * ratio, dirty.y() * ratio, dirty.width() * ratio, dirty.height() * ratio);
    QPainter painter(this);
    painter.drawImage(QRectF(dirty), image, source);
}
