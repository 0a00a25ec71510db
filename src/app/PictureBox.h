#pragma once

#include "surface/PictureSize.h"

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QWidget>

class PainterSurface;

// Shows the picture box's persistent image. It never draws the picture
// itself: whoever owns the surface redraws it and then calls update().
// The ring around a picked pole is drawn on screen only, over the image.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(PainterSurface& surface, QWidget* parent = nullptr);

    QSize sizeHint() const override
    {
        return { PictureSize::WidthPixels, PictureSize::HeightPixels };
    }

    // Centre and radius in logical pixels.
    void showRing(QPointF centre, qreal radius, const QColor& color);
    void hideRing();
    bool hasRing() const { return m_ringShown; }
    // A great circle over the picture, in logical pixels, shown only within
    // the primitive circle of the given centre and radius; an empty path hides it.
    void showGreatCircle(const QPainterPath& circle, QPointF centre, qreal radius);
    bool hasGreatCircle() const { return !m_greatCircle.isEmpty(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect ringBounds() const;

    PainterSurface& m_surface;
    bool m_ringShown = false;
    QPointF m_ringCentre;
    qreal m_ringRadius = 0.0;
    QColor m_ringColor;
    QPainterPath m_greatCircle;
    QPainterPath m_primitive;
};
