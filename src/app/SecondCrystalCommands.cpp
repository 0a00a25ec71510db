#include "app/SecondCrystalCommands.h"

#include "app/MainMenus.h"
#include "app/UserDialogs.h"
#include "app/WorkHistory.h"
#include "freeview/frmVariants.h"
#include "run/Work.h"
#include "ui/Layout.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>

namespace {

const QString StepText = QStringLiteral("第二の結晶");

} // namespace

SecondCrystalCommands::SecondCrystalCommands(const RunState& state, WorkHistory& history,
    UserDialogs& dialogs, const MainMenus& menus, QWidget* client, QWidget* owner)
    : QObject(owner)
    , m_state(state)
    , m_history(history)
    , m_dialogs(dialogs)
    , m_owner(owner)
{
    lblCrystal = new QLabel(QStringLiteral("結晶"), client);
    lblCrystal->setObjectName(QStringLiteral("lblCrystal"));
    lblCrystal->setGeometry(Layout::ToPixels(Layout::lblCrystal));
    cboCrystal = new QComboBox(client);
    cboCrystal->setObjectName(QStringLiteral("cboCrystal"));
    cboCrystal->setGeometry(Layout::ToPixels(Layout::cboCrystal));
    cboCrystal->addItems({ QStringLiteral("1（結晶1）"), QStringLiteral("2（結晶2）") });
    cboCrystal->setAccessibleName(QStringLiteral("プロットする結晶"));
    lblCrystal->setBuddy(cboCrystal);
    lblCrystal->hide();
    cboCrystal->hide();
    connect(
        cboCrystal, &QComboBox::currentIndexChanged, this, &SecondCrystalCommands::targetChanged);
    connect(menus.mnuEditSecond, &QAction::triggered, this, &SecondCrystalCommands::edit);
    connect(menus.mnuEditVariants, &QAction::triggered, this, &SecondCrystalCommands::showVariants);
}

int SecondCrystalCommands::target() const
{
    return m_state.scene.second && cboCrystal->currentIndex() == 1 ? 1 : 0;
}

Crystal SecondCrystalCommands::targetCrystal() const
{
    return target() == 1 ? m_state.scene.second->crystal() : m_state.scene.crystal;
}

TypedEntry SecondCrystalCommands::targeted(TypedEntry typed) const
{
    for (Entry& entry : typed.entries)
        entry.crystal = int8_t(target());
    return typed;
}

void SecondCrystalCommands::sceneShown(const Scene& scene)
{
    const bool two = scene.twoCrystals();
    if (!two && cboCrystal->currentIndex() != 0)
        cboCrystal->setCurrentIndex(0);
    lblCrystal->setVisible(two);
    cboCrystal->setVisible(two);
    if (m_variants && m_variants->isVisible())
        m_variants->showTable(scene.crystal, scene.second);
}

void SecondCrystalCommands::edit()
{
    if (!m_state.scene.isFree())
        return;
    const std::optional<UserDialogs::SecondCrystalAnswer> answer
        = m_dialogs.askSecondCrystal(m_owner, m_state.scene.crystal, m_state.scene.second);
    if (!answer || answer->second == m_state.scene.second)
        return;
    // The second crystal's entries must stand in its new lattice, as a
    // session with both would be refused.
    if (answer->second) {
        const QString why = FirstRefusedEntry(m_state.store, answer->second->crystal(), 1);
        if (!why.isEmpty()) {
            m_dialogs.showMessage(m_owner, why);
            return;
        }
    }
    RunState after = m_state;
    after.changeSecond(answer->second);
    m_history.replace(std::move(after), StepText);
}

void SecondCrystalCommands::showVariants()
{
    if (!m_variants) {
        m_variants = new frmVariants(m_owner);
        connect(
            m_variants, &frmVariants::variantChosen, this, &SecondCrystalCommands::chooseVariant);
    }
    m_variants->showTable(m_state.scene.crystal, m_state.scene.second);
    m_variants->show();
    m_variants->raise();
    m_variants->activateWindow();
}

void SecondCrystalCommands::chooseVariant(int number)
{
    if (!m_state.scene.second || m_state.scene.second->variant == number
        || number > m_state.scene.second->variantCount())
        return;
    RunState after = m_state;
    SecondCrystal second = *after.scene.second;
    second.variant = number;
    after.changeSecond(std::move(second));
    m_history.replace(std::move(after), StepText);
}
