#include "painting/PersistentPicture.h"

#include "figure/PlotPoles.h"
#include "painting/PainterSurface.h"
#include "surface/PictureSize.h"

void PersistentPicture::drawPaper(const PictureSettings& settings)
{
    // Only a costly paper, such as a Wulff net's few hundred arcs, is worth
    // the copy.
    const Paper paper = PaperOf(settings);
    if (!paper.costly()) {
        m_paper.reset();
        DrawPaper(m_surface, settings);
        return;
    }
    const KeptPaper key { paper, m_surface.devicePixelRatio(), m_surface.background(),
        m_surface.ink() };
    if (m_paper && m_paper->first == key) {
        m_surface.restore(m_paper->second);
        return;
    }
    DrawPaper(m_surface, settings);
    m_paper.emplace(key, m_surface.checkpoint());
}

void PersistentPicture::drawNet(const PictureSettings& settings)
{
    // Only the plot size, the index labels and the store leave the net as it is.
    Shown key { 0, settings, m_surface.devicePixelRatio(), m_surface.background(),
        m_surface.ink() };
    key.settings.display.plotSize = 0;
    key.settings.display.indexLabels = false;
    key.settings.display.figureCaption = false;
    if (m_net && m_net->key == key) {
        m_surface.restore(m_net->drawn);
        return;
    }
    drawPaper(settings);
    DrawNetOverPaper(m_surface, settings);
    // On a high-density screen the net's antialiased wide strokes cost a few
    // milliseconds, so its pixels are kept; at ratio 1 they cost a few
    // tenths and the copy would only add to the memory held. While the
    // crystal turns, every view is new and a copy would be thrown away.
    const bool turning = m_shown && m_shown->settings.scene != settings.scene;
    if (m_surface.devicePixelRatio() > 1.0 && !turning)
        m_net = Net { key, m_surface.checkpoint() };
    else
        m_net.reset();
}

PersistentPicture::PersistentPicture(PainterSurface& surface, PlacementCache& placements)
    : m_surface(surface)
    , m_placements(placements)
{
}

void PersistentPicture::show(const PictureSettings& settings, const PoleStore& store)
{
    const Shown wanted { store.epoch(), settings, m_surface.devicePixelRatio(),
        m_surface.background(), m_surface.ink() };
    // Within an epoch poles are only appended, and markers are drawn last in
    // store order: drawing the new ones over the image gives the very pixels
    // a whole redraw would.
    const Projector projector = settings.scene.projector();
    // A figure's marks clear the paper around them, which would cut into
    // the marks and labels drawn before: the free view plots them all anew.
    const bool free = settings.scene.isFree();
    if (m_shown && *m_shown == wanted && store.PoleCount() >= m_poles && !free) {
        PlotPoles(m_surface, store, projector, settings.display.plotSize, m_poles);
    } else {
        drawNet(settings);
        // Only the first mark at each place: the rest would change no pixel.
        if (free)
            PlotEntries(m_surface, settings, store);
        else
            PlotPoles(m_surface, m_placements.marks(projector, store).placements,
                settings.display.plotSize);
        ++m_wholeDraws;
    }
    m_shown = wanted;
    m_poles = store.PoleCount();
}

QImage DocumentedSizeImage(const PictureSettings& settings, const PoleStore& store, qreal ratio,
    const QColor& background, const QColor& ink)
{
    PainterSurface surface(PictureSize::WidthTwips, PictureSize::HeightTwips, ratio);
    surface.setBackground(background);
    surface.setInk(ink);
    PlacementCache placements;
    PersistentPicture(surface, placements).show(settings, store);
    return surface.image();
}
