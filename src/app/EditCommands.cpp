#include "app/EditCommands.h"

#include "app/MainMenus.h"
#include "app/PictureBox.h"
#include "app/PictureReading.h"
#include "app/WorkHistory.h"

#include <QAction>

EditCommands::EditCommands(const MainMenus& menus, WorkHistory& history, PictureReading& reading,
    PictureBox* picture, const RunState& state, QObject* parent)
    : QObject(parent)
{
    QUndoStack& steps = history.stack();
    connect(menus.mnuEditUndo, &QAction::triggered, &steps, &QUndoStack::undo);
    connect(menus.mnuEditRedo, &QAction::triggered, &steps, &QUndoStack::redo);
    connect(&steps, &QUndoStack::canUndoChanged, menus.mnuEditUndo, &QAction::setEnabled);
    connect(&steps, &QUndoStack::canRedoChanged, menus.mnuEditRedo, &QAction::setEnabled);

    QAction* remove = menus.mnuEditDelete;
    picture->addAction(remove);
    connect(remove, &QAction::triggered, this,
        [&history, &reading] { history.remove(reading.picked()); });
    connect(&reading, &PictureReading::pickChanged, remove,
        [remove](int picked) { remove->setEnabled(picked >= 0); });

    for (QAction* angles : { menus.mnuEditAnglesFull, menus.mnuEditAnglesAcute }) {
        const PlaneAngles read
            = angles == menus.mnuEditAnglesAcute ? PlaneAngles::Acute : PlaneAngles::Full;
        connect(angles, &QAction::triggered, this, [&history, &state, read] {
            Crystal crystal = state.free;
            crystal.planeAngles = read;
            history.changeCrystal(crystal);
        });
    }
}
