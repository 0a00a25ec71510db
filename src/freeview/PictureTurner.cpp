#include "freeview/PictureTurner.h"

#include "projection/Turning.h"
#include "surface/PictureSize.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <cmath>

namespace {

// A press that moves no further than this is a click, which picks.
constexpr double DragThreshold = 3.0;

} // namespace

PictureTurner::PictureTurner(QWidget* picture, TurningHost& host)
    : QObject(picture)
    , m_host(host)
{
    picture->installEventFilter(this);
}

TwipsPoint PictureTurner::twips(QPointF position)
{
    return { position.x() * PictureSize::TwipsPerPixel, position.y() * PictureSize::TwipsPerPixel };
}

bool PictureTurner::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            m_atPress = m_host.turnable();
            m_pressed = mouse->position();
            m_dragging = false;
        }
        break;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!m_atPress || !(mouse->buttons() & Qt::LeftButton))
            break;
        const QPointF moved = mouse->position() - m_pressed;
        if (!m_dragging && std::hypot(moved.x(), moved.y()) < DragThreshold)
            break;
        m_dragging = true;
        // From the orientation at the press, so that the direction grasped
        // stays under the pointer however the pointer went.
        m_host.turnTo(Turning::Drag(*m_atPress, twips(m_pressed), twips(mouse->position()))
            * m_atPress->orientation());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const bool dragged = m_dragging;
        m_atPress.reset();
        m_dragging = false;
        // The end of a drag is no click.
        if (dragged)
            return true;
        break;
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        const std::optional<Projector> projector = m_host.turnable();
        if (!projector)
            break;
        const double step = key->modifiers() & Qt::ShiftModifier ? 10.0 : 1.0;
        std::optional<Rotation> turn;
        switch (key->key()) {
        case Qt::Key_Right:
            turn = Turning::Right(step);
            break;
        case Qt::Key_Left:
            turn = Turning::Right(-step);
            break;
        case Qt::Key_Up:
            turn = Turning::Up(step);
            break;
        case Qt::Key_Down:
            turn = Turning::Up(-step);
            break;
        case Qt::Key_BracketRight:
            turn = Turning::Clockwise(step);
            break;
        case Qt::Key_BracketLeft:
            turn = Turning::Clockwise(-step);
            break;
        default:
            break;
        }
        if (!turn)
            break;
        m_host.turnTo(*turn * projector->orientation());
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
