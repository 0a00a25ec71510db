#pragma once

#include "orientation/HeldOrientation.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <optional>

struct RunState;
class QAction;
class QWidget;
class UserDialogs;
class frmOrientation;

// The orientation window's commands: 編集 → 方位… opens it, it follows the
// free view's crystal after every redraw, a click on the picture gives it a
// measured place when it waits for one, and a double-click tilts the
// holder to the pole there. Every new orientation it asks for comes out as
// one signal, for the window that owns the run to take.
class OrientationCommands : public QObject
{
    Q_OBJECT

public:
    OrientationCommands(const RunState& state, UserDialogs& dialogs, QAction* item, QWidget* owner);

    // Shows the crystal as it is now in the window, when it is open.
    void follow();
    // A click on the picture: taken as a measured place when the window
    // waits for one; whether it was.
    bool takeClick(QPoint pixel, double zoom);
    // A double-click that reads tilts off the picture: the holder tilts
    // there, or the user is told why not.
    void tiltTo(const std::optional<HolderTilt>& tilt);

signals:
    void reoriented(const HeldOrientation& orientation);

private:
    void open();
    void choose(const HeldOrientation& orientation);

    const RunState& m_state;
    UserDialogs& m_dialogs;
    QWidget* m_owner;
    QPointer<frmOrientation> m_window;
};
