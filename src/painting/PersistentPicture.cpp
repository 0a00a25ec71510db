#include "painting/PersistentPicture.h"

#include "painting/PainterSurface.h"
#include "poles/PlotPoles.h"

bool PersistentPicture::Shown::operator==(const Shown& other) const
{
    return epoch == other.epoch && settings.crystalSystem == other.settings.crystalSystem
        && settings.symmetryMode == other.settings.symmetryMode
        && settings.lineWidth == other.settings.lineWidth
        && settings.plotSize == other.settings.plotSize && ratio == other.ratio
        && background == other.background && ink == other.ink;
}

PersistentPicture::PersistentPicture(PainterSurface& surface)
    : m_surface(surface)
{
}

void PersistentPicture::show(const PictureSettings& settings, const PoleStore& store)
{
    const Shown wanted { store.epoch(), settings, m_surface.devicePixelRatio(),
        m_surface.background(), m_surface.ink() };
    // Within an epoch poles are only appended, and markers are drawn last in
    // store order: drawing the new ones over the image gives the very pixels
    // a whole redraw would.
    if (m_shown && *m_shown == wanted && store.PoleCount() >= m_poles) {
        PlotPoles(m_surface, store, settings.plotSize, m_poles);
    } else {
        DrawPicture(m_surface, settings, store);
        ++m_wholeDraws;
    }
    m_shown = wanted;
    m_poles = store.PoleCount();
}
