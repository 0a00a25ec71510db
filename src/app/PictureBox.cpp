#include "app/PictureBox.h"

#include "painting/PainterSurface.h"
#include "projection/Turning.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>
#include <utility>

namespace {

constexpr qreal RingWidth = 2.0;

// Screen readers announce the picture as a graphic rather than a filler.
QAccessibleInterface* PictureAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("PictureBox") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}

// The pixel the pointer is in, not the nearest pixel corner.
QPoint PixelAt(QPointF position)
{
    return { int(std::floor(position.x())), int(std::floor(position.y())) };
}

} // namespace

PictureBox::PictureBox(PainterSurface& surface, QWidget* parent)
    : QWidget(parent)
    , m_surface(surface)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(PictureAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    // The image holds everything; nothing needs repainting when the box grows
    // or is uncovered beyond the part the system asks for.
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(PictureSize::WidthPixels, PictureSize::HeightPixels);
    // A stop in the window's tab order, and a click moves the focus here too.
    setFocusPolicy(Qt::StrongFocus);
    // The readout follows the pointer without a button held.
    setMouseTracking(true);
}

void PictureBox::showRing(QPointF centre, qreal radius, const QColor& color)
{
    if (m_ringShown && centre == m_ringCentre && radius == m_ringRadius && color == m_ringColor)
        return;
    hideRing();
    m_ringShown = true;
    m_ringCentre = centre;
    m_ringRadius = radius;
    m_ringColor = color;
    update(ringBounds());
}

void PictureBox::hideRing()
{
    if (!m_ringShown)
        return;
    update(ringBounds());
    m_ringShown = false;
}

void PictureBox::showGreatCircle(const QPainterPath& circle, QPointF centre, qreal radius)
{
    if (circle == m_greatCircle)
        return;
    m_greatCircle = circle;
    m_primitive.clear();
    m_primitive.addEllipse(centre, radius, radius);
    update();
}

QRect PictureBox::ringBounds() const
{
    const qreal reach = m_ringRadius + RingWidth;
    return QRectF(m_ringCentre.x() - reach, m_ringCentre.y() - reach, 2 * reach, 2 * reach)
        .toAlignedRect()
        .adjusted(-1, -1, 1, 1);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    const QImage& image = m_surface.image();
    // The image is drawn at the widget's size: a zoomed picture has as many
    // more pixels.
    const qreal ratio = image.devicePixelRatio() / zoom();
    const QRect dirty = event->rect();
    // The source rectangle is in image pixels, the target in logical pixels.
    const QRectF source(
        dirty.x() * ratio, dirty.y() * ratio, dirty.width() * ratio, dirty.height() * ratio);
    QPainter painter(this);
    painter.drawImage(QRectF(dirty), image, source);
    if (!m_greatCircle.isEmpty()) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setClipPath(m_primitive);
        painter.setPen(QPen(m_ringColor.isValid() ? m_ringColor : palette().color(QPalette::Text),
            1.0, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(m_greatCircle);
        painter.restore();
    }
    if (m_ringShown) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(m_ringColor, RingWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(m_ringCentre, m_ringRadius, m_ringRadius);
    }
}

bool PictureBox::draggedTo(QPointF position) const
{
    return m_pressed
        && (position - *m_pressed).manhattanLength() >= QApplication::startDragDistance();
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = event->position();
    m_dragging = false;
    m_doubleClicked = false;
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    m_doubleClicked = true;
    emit doubleClicked(PixelAt(event->position()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressed && (event->buttons() & Qt::LeftButton)) {
        m_dragging = m_dragging || draggedTo(event->position());
        if (m_dragging) {
            emit dragged(*m_pressed, event->position());
            return;
        }
    }
    emit pointerMoved(PixelAt(event->position()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    const bool dragged = m_dragging || draggedTo(event->position());
    m_pressed.reset();
    m_dragging = false;
    if (dragged)
        emit dragFinished();
    else if (!std::exchange(m_doubleClicked, false))
        emit clicked(PixelAt(event->position()));
}

void PictureBox::leaveEvent(QEvent* event)
{
    emit left();
    QWidget::leaveEvent(event);
}

void PictureBox::keyPressEvent(QKeyEvent* event)
{
    const double step = event->modifiers() & Qt::ShiftModifier ? 10.0 : 1.0;
    const bool repeated = event->isAutoRepeat();
    switch (event->key()) {
    case Qt::Key_Right:
        emit keyTurn(Turning::Right(step), repeated);
        break;
    case Qt::Key_Left:
        emit keyTurn(Turning::Right(-step), repeated);
        break;
    case Qt::Key_Up:
        emit keyTurn(Turning::Up(step), repeated);
        break;
    case Qt::Key_Down:
        emit keyTurn(Turning::Up(-step), repeated);
        break;
    case Qt::Key_BracketRight:
        emit keyTurn(Turning::Clockwise(step), repeated);
        break;
    case Qt::Key_BracketLeft:
        emit keyTurn(Turning::Clockwise(-step), repeated);
        break;
    default:
        // Escape and the rest go on to the window.
        QWidget::keyPressEvent(event);
    }
}
