#pragma once

#include "plotting/DrawCommand.h"
#include "scene/Crystal.h"

#include <QObject>
#include <QPointer>

class MainMenus;
class QComboBox;
class QLabel;
class QWidget;
class UserDialogs;
class WorkHistory;
class frmVariants;
struct RunState;
struct Scene;

// The free view's second crystal from the window's side: 編集 → 第二の結晶…
// places, changes or removes it as one step of the work, 方位差… shows the
// table of its variants, and the combo box 結晶 beside the index boxes
// says which crystal they plot into, shown only while there are two.
class SecondCrystalCommands : public QObject
{
    Q_OBJECT

public:
    SecondCrystalCommands(const RunState& state, WorkHistory& history, UserDialogs& dialogs,
        const MainMenus& menus, QWidget* client, QWidget* owner);

    // The crystal the boxes plot into: 0 the first, 1 the second.
    int target() const;
    // The crystal whose rule reads what is typed into the boxes.
    Crystal targetCrystal() const;
    // Entries read in the target crystal, made its own.
    TypedEntry targeted(TypedEntry typed) const;

public slots:
    // Follows the scene shown: the combo box and the table of variants.
    void sceneShown(const Scene& scene);

signals:
    // Another crystal for the boxes, which may then take four indices.
    void targetChanged();

private:
    void edit();
    void showVariants();
    void chooseVariant(int number);

    const RunState& m_state;
    WorkHistory& m_history;
    UserDialogs& m_dialogs;
    QWidget* m_owner;
    QLabel* lblCrystal = nullptr;
    QComboBox* cboCrystal = nullptr;
    QPointer<frmVariants> m_variants;
};
