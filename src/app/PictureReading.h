#pragma once

#include "poles/PlacementCache.h"
#include "reading/PictureReader.h"
#include "run/RunState.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <optional>

class PainterSurface;
class PictureBox;
class QPlainTextEdit;
class ResultLists;

// Reading the picture: the tool tip under the pointer, the pole picked by
// a click or from a list line with its ring, and in the free view the zone
// of the picked entry and the one under the pointer.
class PictureReading : public QObject
{
    Q_OBJECT

public:
    // placements: where the entries are drawn, shared with the picture.
    PictureReading(const RunState& state, PictureBox* picture, const PainterSurface& surface,
        ResultLists& lists, PlacementCache& placements);

    void pointerMoved(QPoint pixel);
    void pointerLeft();
    // A click picks the entry whose mark is there, or ends the pick.
    void clicked(QPoint pixel);
    void listCursorMoved(QPlainTextEdit* list, bool isIndexList);
    // Picks the plane's entry where one is plotted; otherwise rings the
    // plane's pole, which follows the crystal as it turns.
    void pickPlane(const Index3& plane);
    void unpick();
    // Puts the ring where the picked entry is drawn now.
    void showRing();
    // Hides the zone, whose circle belongs to places that have changed.
    void hideZone();
    // The holder's tilts that bring the pole at the pixel, or the direction
    // there, to the centre; none outside the free view or the picture.
    std::optional<HolderTilt> tiltsAt(QPoint pixel) const;

    int picked() const { return m_picked; }
    // Whether an entry or a plane's pole is picked.
    bool hasPick() const { return m_picked >= 0 || m_plane.has_value(); }
    const QString& readout() const { return m_readout; }

signals:
    // An entry was picked, or the pick ended (-1).
    void pickChanged(int entry);

private:
    void pick(int entry, QPlainTextEdit* fromList);
    void showZone(const Projector& projector, int hovered);
    double markReachTwips() const;
    PictureReader reader(std::array<QString, 3> names) const;
    // The free view's picture also tells a screen reader what the tool tip says.
    void describeReadout();

    const RunState& m_state;
    PictureBox* m_picture;
    const PainterSurface& m_surface;
    ResultLists& m_lists;
    PlacementCache& m_placements;
    int m_picked = -1;
    std::optional<Index3> m_plane;
    QString m_readout;
    QTimer m_reshow;
    QPoint m_reshowAt;
};
