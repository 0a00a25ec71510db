#include "app/MainMenus.h"

#include "scene/DocumentedViews.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* AddItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

MainMenus::MainMenus(QMenuBar* bar, const QFont& font)
{
    const auto named = [&font](QMenu* menu, const char* name) {
        menu->setObjectName(QLatin1String(name));
        // Popups are windows of their own and would not inherit the form's font.
        menu->setFont(font);
        return menu;
    };

    mnuFile = named(bar->addMenu(QStringLiteral("ファイル")), "mnuFile");
    mnuFileOpen = AddItem(mnuFile, "mnuFileOpen", QStringLiteral("開く"));
    mnuFileOpen->setShortcut(QKeySequence::Open);
    mnuFileRecent = named(mnuFile->addMenu(QStringLiteral("最近使ったファイル")), "mnuFileRecent");
    mnuFileSave = AddItem(mnuFile, "mnuFileSave", QStringLiteral("上書き保存"));
    mnuFileSaveAs = named(mnuFile->addMenu(QStringLiteral("新規に保存")), "mnuFileSaveAs");
    mnuFileSaveAsPic = AddItem(mnuFileSaveAs, "mnuFileSaveAsPic", QStringLiteral("画像"));
    mnuFileSaveAsIndex = AddItem(mnuFileSaveAs, "mnuFileSaveAsIndex", QStringLiteral("面指数"));
    mnuFileSaveAsAngle = AddItem(mnuFileSaveAs, "mnuFileSaveAsAngle", QStringLiteral("角度差"));
    mnuFileSaveAsSession
        = AddItem(mnuFileSaveAs, "mnuFileSaveAsSession", QStringLiteral("セッション"));
    mnuFileEnd = AddItem(mnuFile, "mnuFileEnd", QStringLiteral("終了"));

    mnuEdit = named(bar->addMenu(QStringLiteral("編集")), "mnuEdit");
    mnuEditUndo = AddItem(mnuEdit, "mnuEditUndo", QStringLiteral("元に戻す"));
    mnuEditUndo->setShortcut(QKeySequence::Undo);
    mnuEditRedo = AddItem(mnuEdit, "mnuEditRedo", QStringLiteral("やり直し"));
    mnuEditRedo->setShortcuts(
        { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y) });
    // Nothing to take back or do again yet.
    mnuEditUndo->setEnabled(false);
    mnuEditRedo->setEnabled(false);
    mnuEdit->addSeparator();
    mnuEditDraw = AddItem(mnuEdit, "mnuEditDraw", QStringLiteral("面指数のプロット"));
    mnuEditCls = AddItem(mnuEdit, "mnuEditCls", QStringLiteral("画像のクリア"));
    mnuEditCopy = AddItem(mnuEdit, "mnuEditCopy", QStringLiteral("クリップボードにコピー"));
    mnuEditDelete = AddItem(mnuEdit, "mnuEditDelete", QStringLiteral("選択した極を削除"));
    mnuEditDelete->setShortcut(QKeySequence::Delete);
    // In the lists Delete edits their text; the picture adds the item to
    // its own actions.
    mnuEditDelete->setShortcutContext(Qt::WidgetShortcut);
    mnuEditDelete->setEnabled(false);
    mnuEdit->addSeparator();
    mnuEditDirection = AddItem(mnuEdit, "mnuEditDirection", QStringLiteral("方向としてプロット"));
    mnuEditDirection->setCheckable(true);
    mnuEditFamily
        = AddItem(mnuEdit, "mnuEditFamily", QStringLiteral("等価な面・方向をすべてプロット"));
    mnuEditFamily->setCheckable(true);
    mnuEditAngles = named(mnuEdit->addMenu(QStringLiteral("面の間の角度")), "mnuEditAngles");
    mnuEditAnglesFull = AddItem(mnuEditAngles, "mnuEditAnglesFull", QStringLiteral("0–180°"));
    mnuEditAnglesAcute = AddItem(mnuEditAngles, "mnuEditAnglesAcute", QStringLiteral("0–90°"));
    auto* angles = new QActionGroup(mnuEditAngles);
    for (QAction* item : { mnuEditAnglesFull, mnuEditAnglesAcute }) {
        item->setCheckable(true);
        angles->addAction(item);
    }
    mnuEditIndexLabels = AddItem(mnuEdit, "mnuEditIndexLabels", QStringLiteral("指数を表示"));
    mnuEditIndexLabels->setCheckable(true);
    mnuEditCaption = AddItem(mnuEdit, "mnuEditCaption", QStringLiteral("保存する図に説明を付ける"));
    mnuEditCaption->setCheckable(true);
    mnuEdit->addSeparator();
    mnuEditOrientation = AddItem(mnuEdit, "mnuEditOrientation", QStringLiteral("方位…"));
    mnuEditSchmid = AddItem(mnuEdit, "mnuEditSchmid", QStringLiteral("シュミット因子"));
    mnuEditSecond = AddItem(mnuEdit, "mnuEditSecond", QStringLiteral("第二の結晶…"));
    mnuEditVariants = AddItem(mnuEdit, "mnuEditVariants", QStringLiteral("方位差…"));

    mnuSelect = named(bar->addMenu(QStringLiteral("投影図の選択")), "mnuSelect");
    for (std::size_t k = 0; k < mnuSelectItems.size(); ++k) {
        const ViewRow& row = DocumentedViews()[k];
        mnuSelectItems[k] = AddItem(mnuSelect, row.menuItem, row.menuCaption);
    }
    mnuSelect->addSeparator();
    mnuSelectFree = AddItem(mnuSelect, "mnuSelectFree", QStringLiteral("任意の結晶と方位"));

    mnuFileHelp = named(bar->addMenu(QStringLiteral("ヘルプ")), "mnuFileHelp");
    mnuHelpGuide = AddItem(mnuFileHelp, "mnuHelpGuide", QStringLiteral("使い方"));
    mnuHelpVersion = AddItem(mnuFileHelp, "mnuHelpVersion", QStringLiteral("バージョン"));
}

void MainMenus::showViewChoice(const Scene& scene)
{
    // Only the marked item is checkable: styles draw an empty box beside a
    // checkable item that is not checked, and the others carry no mark at all.
    for (size_t k = 0; k < mnuSelectItems.size(); ++k) {
        const bool marked = scene.row == &DocumentedViews()[k];
        mnuSelectItems[k]->setCheckable(marked);
        mnuSelectItems[k]->setChecked(marked);
    }
    mnuSelectFree->setCheckable(scene.isFree());
    mnuSelectFree->setChecked(scene.isFree());
    mnuEditDirection->setEnabled(scene.crystal.allowsDirections());
    mnuEditOrientation->setEnabled(scene.isFree());
    mnuEditFamily->setEnabled(scene.crystal.allowsFamilies());
    mnuEditSchmid->setEnabled(scene.isFree());
    mnuEditSecond->setEnabled(scene.isFree());
    mnuEditVariants->setEnabled(scene.twoCrystals());
    // Planes are read either way only where the view is the free one.
    mnuEditAngles->setEnabled(scene.isFree());
    const bool acute = scene.crystal.planeAngles == PlaneAngles::Acute;
    mnuEditAnglesAcute->setChecked(acute);
    mnuEditAnglesFull->setChecked(!acute);
    mnuEditIndexLabels->setEnabled(scene.isFree());
}
