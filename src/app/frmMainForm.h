#pragma once

#include "app/FileCommands.h"
#include "app/MainControls.h"
#include "app/MainMenus.h"
#include "app/OrientationCommands.h"
#include "app/PictureReading.h"
#include "app/ResultLists.h"
#include "app/SecondCrystalCommands.h"
#include "freeview/PictureTurner.h"
#include "painting/PainterSurface.h"
#include "painting/PersistentPicture.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <optional>

struct RunState;
struct ViewRow;
class UserDialogs;
class KeptSettings;
class RecentFiles;
class WorkHistory;
class SideWindows;
struct WorkChange;
class QKeyEvent;
class QWindow;

// The program's working window: the index boxes, the buttons, the two
// display settings, the picture and the two result lists, and the menus.
// It composes its controls, menus and helpers and connects them; every
// handler that changes what is shown ends in the full redraw, which
// rebuilds the picture and both lists from the run state.
class frmMainForm : public QMainWindow, private FileCommandsHost, private TurningHost
{
    Q_OBJECT

public:
    frmMainForm(RunState& state, UserDialogs& dialogs, QWidget* parent = nullptr);
    ~frmMainForm() override;

    // Opens a session or an index list, as the File menu does.
    void openFile(const QString& path) { m_files.openPath(path); }
    // Remembers from run to run in these settings, and starts from what
    // they hold: the window's size and place, the recent files, the last
    // crystal of the free view. Without them the window remembers nothing.
    void keepSettings(KeptSettings& settings);

    // How many full redraws have run, whatever their cause.
    int fullRedrawCount() const { return m_fullRedraws; }
    const PainterSurface& surface() const { return m_surface; }
    const RunState& runState() const { return m_state; }
    // The picked pole's place in the store, or -1.
    int pickedPole() const { return m_reading->picked(); }
    // The tool tip last shown over the picture, empty when none is shown.
    const QString& pointerReadout() const { return m_reading->readout(); }

signals:
    // After every full redraw, with the scene it drew.
    void sceneShown(const Scene& scene);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* dialogParent() override { return this; }
    PictureSettings currentPicture() const override { return pictureSettings(); }
    QString currentDescription() const override { return pictureDescription(); }
    void showOpenedWork(OpenedWork work) override;
    void fileUsed(const QString& path) override;
    std::optional<Projector> turnable() const override;
    void turnTo(const Rotation& orientation) override;
    // The one way the free view's crystal is turned or tilted: by the
    // pointer, the keys or the orientation window.
    // Steps of one gesture above 0 (a drag, a key held) are one undo step.
    void reorient(const HeldOrientation& orientation, int gesture);

    void connectControls();
    void connectMenus();

    void Form_Load();
    void Form_Paint();

    void cmdDraw_Click();
    void cmdClear_Click();
    // What 描画 plots: a direction where the item asks for one and the
    // crystal takes it.
    IndexKind plottedKind() const;
    // Shows the run anew after a step of its history was made, undone or redone.
    void showWork(const WorkChange& change);
    // The run as a projection choice begins it, before the view is set.
    RunState otherView() const;
    void cmdCopy_Click();
    // The free view: chosen, it empties the plot; chosen again, it changes
    // the crystal and its orientation and keeps the entries.
    void mnuSelectFree_Click();
    // The four projection items are one operation; the row picks its view.
    void SelectProjection(const ViewRow& row);
    // The check marks and the column captions of the view chosen.
    void showViewChoice();
    PictureSettings pictureSettings() const;
    void FullRedraw();
    void InitPoleData();

    QString pictureDescription() const;
    void describePicture();
    // Background, ink and the frame's shade from the current palette.
    bool applyPalette();

    RunState& m_state;
    UserDialogs& m_dialogs;
    PainterSurface m_surface;
    // Where the entries are drawn, for the picture and its reading alike.
    PlacementCache m_placements;
    PersistentPicture m_picture;
    std::unique_ptr<MainControls> m_controls;
    std::unique_ptr<MainMenus> m_menus;
    QPointer<QWindow> m_watchedWindow;
    SideWindows* m_side = nullptr;
    KeptSettings* m_kept = nullptr;
    int m_fullRedraws = 0;

    ResultLists* m_lists = nullptr;
    PictureReading* m_reading = nullptr;
    PictureTurner* m_turner = nullptr;
    OrientationCommands* m_orientation = nullptr;
    SecondCrystalCommands* m_second = nullptr;
    WorkHistory* m_history = nullptr;
    RecentFiles* m_recent = nullptr;
    FileCommands m_files;
};
