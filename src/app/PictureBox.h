#pragma once

#include "math/Rotation.h"
#include "surface/PictureSize.h"

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QWidget>
#include <optional>

class PainterSurface;

// Shows the picture box's persistent image. It never draws the picture
// itself: whoever owns the surface redraws it and then calls update().
// The ring around a picked pole is drawn on screen only, over the image.
// It says in signals what the pointer and the keys do over it; pixels are
// those the pointer is in, positions logical pixels of the widget.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(PainterSurface& surface, QWidget* parent = nullptr);

    QSize sizeHint() const override
    {
        return { PictureSize::WidthPixels, PictureSize::HeightPixels };
    }

    // Logical pixels of the widget to one logical pixel of the picture as
    // laid out (15 twips): 1 at the documented size, more as the window grows.
    double zoom() const { return double(width()) / PictureSize::WidthPixels; }

    // Centre and radius in logical pixels.
    void showRing(QPointF centre, qreal radius, const QColor& color);
    void hideRing();
    bool hasRing() const { return m_ringShown; }
    // A great circle over the picture, in logical pixels, shown only within
    // the primitive circle of the given centre and radius; an empty path hides it.
    void showGreatCircle(const QPainterPath& circle, QPointF centre, qreal radius);
    bool hasGreatCircle() const { return !m_greatCircle.isEmpty(); }

signals:
    // The pointer moved over the picture, no drag under way.
    void pointerMoved(QPoint pixel);
    // The left button came up less than the platform's drag distance from
    // where it went down.
    void clicked(QPoint pixel);
    // The left button went down twice in the platform's double-click time;
    // the release that ends it is no click.
    void doubleClicked(QPoint pixel);
    // The left button is held and has moved the drag distance or more: from
    // where it went down to where the pointer is now.
    void dragged(QPointF from, QPointF to);
    void dragFinished();
    // An arrow key or [ or ] over the picture: the turn it asks for, in the
    // view's frame, by 1 degree (10 with Shift); repeated while the key is
    // held down.
    void keyTurn(const Rotation& turn, bool repeated);
    // The pointer left the picture.
    void left();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QRect ringBounds() const;
    // Whether the pointer at position has moved the drag distance from the press.
    bool draggedTo(QPointF position) const;

    PainterSurface& m_surface;
    bool m_ringShown = false;
    QPointF m_ringCentre;
    qreal m_ringRadius = 0.0;
    QColor m_ringColor;
    QPainterPath m_greatCircle;
    QPainterPath m_primitive;
    // Where the left button went down, while it is down; and whether the
    // pointer has gone the drag distance since.
    std::optional<QPointF> m_pressed;
    bool m_dragging = false;
    bool m_doubleClicked = false;
};
