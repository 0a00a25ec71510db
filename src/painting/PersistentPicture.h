#pragma once

#include "painting/PainterSurface.h"
#include "poles/PlacementCache.h"
#include "poles/PoleStore.h"
#include "scene/DrawPicture.h"

#include <QColor>
#include <optional>

// Keeps the persistent image showing the picture of the current settings
// and store at the least cost: an expose at a full store must not repaint
// 32767 markers, and a plot only adds one. Everything that decides the
// pixels is compared, so nothing needs to be reset by hand.
class PersistentPicture
{
public:
    // placements: where the entries are drawn, shared with whoever reads the
    // picture back.
    PersistentPicture(PainterSurface& surface, PlacementCache& placements);

    // Nothing when the image shows this picture already, only the new poles
    // when the store has grown since, the whole picture otherwise.
    void show(const PictureSettings& settings, const PoleStore& store);
    // How many times the whole picture was drawn.
    int wholeDraws() const { return m_wholeDraws; }

private:
    struct Shown
    {
        uint64_t epoch = 0;
        PictureSettings settings;
        qreal ratio = 0.0;
        QColor background;
        QColor ink;
        bool operator==(const Shown&) const = default;
    };

    // The net alone, drawn once for a view, line width and screen, so that
    // a new plot size repaints only the markers.
    struct Net
    {
        Shown key;
        PainterSurface::Checkpoint drawn;
    };
    void drawNet(const PictureSettings& settings);
    // The paper under the net, kept while the crystal turns over it.
    struct KeptPaper
    {
        Paper paper;
        qreal ratio = 0.0;
        QColor background;
        QColor ink;
        bool operator==(const KeptPaper&) const = default;
    };
    void drawPaper(const PictureSettings& settings);

    PainterSurface& m_surface;
    PlacementCache& m_placements;
    std::optional<Shown> m_shown;
    std::optional<Net> m_net;
    std::optional<std::pair<KeptPaper, PainterSurface::Checkpoint>> m_paper;
    int m_poles = 0;
    int m_wholeDraws = 0;
};

// The picture as the screen shows it at its documented size, whatever size
// the window has grown to: what a copy to the clipboard holds, so that a
// pasted picture keeps its documented pixels and physical size.
QImage DocumentedSizeImage(const PictureSettings& settings, const PoleStore& store, qreal ratio,
    const QColor& background, const QColor& ink);
