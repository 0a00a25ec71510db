#pragma once

#include "projection/Projector.h"

#include <QObject>
#include <QPointF>
#include <optional>

// What turning the crystal needs of the window that shows it.
class TurningHost
{
public:
    virtual ~TurningHost() = default;
    // The free view's projector, or none where the crystal cannot be turned.
    virtual std::optional<Projector> turnable() const = 0;
    // Turns the crystal to this orientation and shows it.
    virtual void turnTo(const Rotation& orientation) = 0;
};

// Turns the crystal in the picture: a drag carries the direction under the
// pointer along with it; the arrow keys tilt it by 1 degree (10 with
// Shift) about the screen's axes and [ and ] turn it about the centre.
// Installed on the picture widget, it takes the events it uses.
class PictureTurner : public QObject
{
    Q_OBJECT

public:
    PictureTurner(QWidget* picture, TurningHost& host);

    bool dragging() const { return m_dragging; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Twips of the picture at a widget position in logical pixels.
    static TwipsPoint twips(QPointF position);

    TurningHost& m_host;
    std::optional<Projector> m_atPress;
    QPointF m_pressed;
    bool m_dragging = false;
};
