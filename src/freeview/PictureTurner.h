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
// pointer along with it; a key's turn (the arrow keys tilt it about the
// screen's axes, [ and ] turn it about the centre) is applied as it comes.
class PictureTurner : public QObject
{
    Q_OBJECT

public:
    PictureTurner(TurningHost& host, QObject* parent);

    // A drag from the press to the pointer, in logical pixels of the
    // picture; false where the crystal cannot be turned.
    bool drag(QPointF from, QPointF to);
    void endDrag();
    // A key's turn; repeated while the key is held down.
    void turn(const Rotation& turn, bool repeated = false);
    // Counts the gestures, a drag or a key pressed and held: the turns of
    // one gesture share its number.
    int gesture() const { return m_gesture; }

private:
    TurningHost& m_host;
    // The crystal as it was when the drag began.
    std::optional<Projector> m_atPress;
    int m_gesture = 0;
};
