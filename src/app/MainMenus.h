#pragma once

#include <array>

class QAction;
class QFont;
class QMenu;
class QMenuBar;
struct Scene;

// The main window's menus and their items, named and captioned as
// documented; the four projections' items from the documented views' rows.
struct MainMenus
{
    MainMenus(QMenuBar* bar, const QFont& font);

    // Marks the item of the view shown, and lets directions be plotted where
    // its crystal takes them.
    void showViewChoice(const Scene& scene);

    QMenu* mnuFile = nullptr;
    QAction* mnuFileOpen = nullptr;
    // Filled by the recent files' own room.
    QMenu* mnuFileRecent = nullptr;
    QAction* mnuFileSave = nullptr;
    QMenu* mnuFileSaveAs = nullptr;
    QAction* mnuFileSaveAsPic = nullptr;
    QAction* mnuFileSaveAsIndex = nullptr;
    QAction* mnuFileSaveAsAngle = nullptr;
    QAction* mnuFileSaveAsSession = nullptr;
    QAction* mnuFileEnd = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuEditUndo = nullptr;
    QAction* mnuEditRedo = nullptr;
    QAction* mnuEditDraw = nullptr;
    QAction* mnuEditCls = nullptr;
    QAction* mnuEditCopy = nullptr;
    // Its Delete key works only where the picture has the focus.
    QAction* mnuEditDelete = nullptr;
    QAction* mnuEditDirection = nullptr;
    // The orientation window, in the free view only.
    QAction* mnuEditOrientation = nullptr;
    // 描画 plots every member of the typed index's family (free view).
    QAction* mnuEditFamily = nullptr;
    // The window of the Schmid factors (free view).
    QAction* mnuEditSchmid = nullptr;
    // The free view's second crystal, and the table of its variants.
    QAction* mnuEditSecond = nullptr;
    QAction* mnuEditVariants = nullptr;
    QMenu* mnuEditAngles = nullptr;
    QAction* mnuEditAnglesFull = nullptr;
    QAction* mnuEditAnglesAcute = nullptr;
    // The free view's plotted entries labelled with their indices.
    QAction* mnuEditIndexLabels = nullptr;
    // Saved and exported figures with a caption under the picture.
    QAction* mnuEditCaption = nullptr;
    QMenu* mnuSelect = nullptr;
    // In the order of the documented views.
    std::array<QAction*, 4> mnuSelectItems {};
    QAction* mnuSelectFree = nullptr;
    QMenu* mnuFileHelp = nullptr;
    QAction* mnuHelpGuide = nullptr;
    QAction* mnuHelpVersion = nullptr;
};
