#pragma once

#include "poles/PlacementCache.h"
#include "run/RunState.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>

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
    void unpick();
    // Puts the ring where the picked entry is drawn now.
    void showRing();
    // Hides the zone, whose circle belongs to places that have changed.
    void hideZone();

    int picked() const { return m_picked; }
    const QString& readout() const { return m_readout; }

signals:
    // An entry was picked, or the pick ended (-1).
    void pickChanged(int entry);

private:
    void pick(int entry, QPlainTextEdit* fromList);
    void showZone(const Projector& projector, int hovered);
    double markReachTwips() const;

    const RunState& m_state;
    PictureBox* m_picture;
    const PainterSurface& m_surface;
    ResultLists& m_lists;
    PlacementCache& m_placements;
    int m_picked = -1;
    QString m_readout;
    QTimer m_reshow;
    QPoint m_reshowAt;
};
