#include "app/OrientationCommands.h"

#include "app/UserDialogs.h"
#include "files/VariantTable.h"
#include "freeview/TwoPolesPanel.h"
#include "freeview/frmOrientation.h"
#include "reading/PictureReader.h"
#include "run/RunState.h"

#include <QAction>

OrientationCommands::OrientationCommands(
    const RunState& state, UserDialogs& dialogs, QAction* item, QWidget* owner)
    : QObject(owner)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_owner(owner)
{
    connect(item, &QAction::triggered, this, &OrientationCommands::open);
}

void OrientationCommands::open()
{
    if (!m_window) {
        m_window = new frmOrientation(m_owner);
        connect(m_window, &frmOrientation::orientationChosen, this, &OrientationCommands::choose);
        connect(m_window, &frmOrientation::refused, this,
            [this](const QString& message) { m_dialogs.showMessage(m_window, message); });
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    follow();
}

void OrientationCommands::follow()
{
    if (!m_window || !m_window->isVisible())
        return;
    m_window->showCrystal(m_state.scene.isFree() ? &m_state.scene.crystal : nullptr);
    const Scene& scene = m_state.scene;
    m_window->showMisorientation(scene.second
            ? std::optional(MisorientationText(
                MisorientationOf(scene.crystal, *scene.second), scene.second->lattice))
            : std::nullopt);
}

void OrientationCommands::choose(const HeldOrientation& orientation)
{
    if (m_state.scene.isFree())
        emit reoriented(orientation);
}

bool OrientationCommands::takeClick(QPoint pixel, double zoom)
{
    if (!m_window || !m_window->isVisible() || !m_state.scene.isFree()
        || !m_window->twoPoles()->waitingForPlace())
        return false;
    // A place in the sample frame as the picture shows it now; beside the
    // primitive circle there is none, and the click only ends the waiting.
    const std::optional<Vector3> view = m_state.scene.projector().fromPicture(
        PictureReader::PixelCentre(pixel.x(), pixel.y(), zoom));
    if (view)
        m_window->twoPoles()->takePlace(PlaceOf(SampleOfView(*view)));
    m_window->twoPoles()->stopWaiting();
    return true;
}

void OrientationCommands::tiltTo(const std::optional<HolderTilt>& tilt)
{
    if (!tilt || !m_state.scene.isFree())
        return;
    const HeldOrientation& held = m_state.scene.crystal.orientation;
    if (!WithinReach(*tilt, held.limits)) {
        m_dialogs.showMessage(
            m_owner, OutOfReachMessage(QStringLiteral("ダブルクリックした所"), *tilt, held.limits));
        return;
    }
    emit reoriented(held.tiltedTo(*tilt));
}
