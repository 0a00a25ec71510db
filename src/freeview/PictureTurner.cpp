#include "freeview/PictureTurner.h"

#include "projection/Turning.h"
#include "surface/PictureSize.h"

namespace {

// Twips of the picture at a widget position in logical pixels.
TwipsPoint Twips(QPointF position)
{
    return { position.x() * PictureSize::TwipsPerPixel, position.y() * PictureSize::TwipsPerPixel };
}

} // namespace

PictureTurner::PictureTurner(TurningHost& host, QObject* parent)
    : QObject(parent)
    , m_host(host)
{
}

bool PictureTurner::drag(QPointF from, QPointF to)
{
    if (!m_atPress) {
        m_atPress = m_host.turnable();
        ++m_gesture;
    }
    if (!m_atPress)
        return false;
    // From the orientation at the press, so that the direction grasped
    // stays under the pointer however the pointer went.
    m_host.turnTo(Turning::Drag(*m_atPress, Twips(from), Twips(to)) * m_atPress->orientation());
    return true;
}

void PictureTurner::endDrag()
{
    m_atPress.reset();
}

void PictureTurner::turn(const Rotation& turn, bool repeated)
{
    if (!repeated)
        ++m_gesture;
    if (const std::optional<Projector> projector = m_host.turnable())
        m_host.turnTo(turn * projector->orientation());
}
