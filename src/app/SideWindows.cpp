#include "app/SideWindows.h"

#include "about/frmAbout.h"
#include "about/frmGuide.h"
#include "app/PictureReading.h"
#include "freeview/frmSchmid.h"
#include "run/RunState.h"

namespace {

// Without a window manager nobody else hands the focus over.
void BringForward(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

SideWindows::SideWindows(QWidget* owner, const RunState& state, PictureReading& reading)
    : QObject(owner)
    , m_owner(owner)
    , m_state(state)
    , m_reading(reading)
{
}

SideWindows::~SideWindows()
{
    // The version window is a top-level of its own and would outlive us.
    delete m_about;
}

void SideWindows::showSchmid()
{
    if (!m_schmid) {
        m_schmid = new frmSchmid(m_state.scene.crystal, m_owner);
        m_schmid->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_schmid, &frmSchmid::planePicked, &m_reading, &PictureReading::pickPlane);
    }
    BringForward(m_schmid);
}

void SideWindows::showGuide()
{
    if (!m_guide)
        m_guide = new frmGuide(m_owner);
    BringForward(m_guide);
}

void SideWindows::showVersion()
{
    // A dialog that was closed is only deleted once the event loop runs
    // again; a new opening must not show that one.
    if (!m_about || !m_about->isVisible())
        m_about = new frmAbout(m_owner);
    // The main window it would otherwise stay with is disabled.
    BringForward(m_about);
}

void SideWindows::sceneShown(const Scene& scene)
{
    if (m_schmid)
        m_schmid->showScene(scene);
}
