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
    QAction* mnuFileSave = nullptr;
    QMenu* mnuFileSaveAs = nullptr;
    QAction* mnuFileSaveAsPic = nullptr;
    QAction* mnuFileSaveAsIndex = nullptr;
    QAction* mnuFileSaveAsAngle = nullptr;
    QAction* mnuFileSaveAsSession = nullptr;
    QAction* mnuFileEnd = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuEditDraw = nullptr;
    QAction* mnuEditCls = nullptr;
    QAction* mnuEditCopy = nullptr;
    QAction* mnuEditDirection = nullptr;
    // The free view's plotted entries labelled with their indices.
    QAction* mnuEditIndexLabels = nullptr;
    // Saved and exported figures with a caption under the picture.
    QAction* mnuEditCaption = nullptr;
    QMenu* mnuSelect = nullptr;
    // In the order of the documented views.
    std::array<QAction*, 4> mnuSelectItems {};
    QAction* mnuSelectFree = nullptr;
    QMenu* mnuFileHelp = nullptr;
    QAction* mnuHelpVersion = nullptr;
};
