#pragma once

#include <QObject>
#include <QPointer>

struct RunState;
struct Scene;
class PictureReading;
class QWidget;
class frmAbout;
class frmGuide;
class frmSchmid;

// The windows beside the main one that only read the run: the Schmid
// factors' window, which follows every scene shown and picks planes'
// poles, the guide and the version dialog. Each is opened once and brought
// forward when asked for again.
class SideWindows : public QObject
{
    Q_OBJECT

public:
    SideWindows(QWidget* owner, const RunState& state, PictureReading& reading);
    ~SideWindows() override;

    void showSchmid();
    void showGuide();
    void showVersion();
    // After every redraw: the Schmid window follows the crystal, or closes
    // when the view has none to turn.
    void sceneShown(const Scene& scene);

private:
    QWidget* m_owner;
    const RunState& m_state;
    PictureReading& m_reading;
    QPointer<frmSchmid> m_schmid;
    QPointer<frmGuide> m_guide;
    QPointer<frmAbout> m_about;
};
