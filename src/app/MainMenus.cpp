#include "app/MainMenus.h"

#include "scene/DocumentedViews.h"

#include <QAction>
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
    mnuFileSave = AddItem(mnuFile, "mnuFileSave", QStringLiteral("上書き保存"));
    mnuFileSaveAs = named(mnuFile->addMenu(QStringLiteral("新規に保存")), "mnuFileSaveAs");
    mnuFileSaveAsPic = AddItem(mnuFileSaveAs, "mnuFileSaveAsPic", QStringLiteral("画像"));
    mnuFileSaveAsIndex = AddItem(mnuFileSaveAs, "mnuFileSaveAsIndex", QStringLiteral("面指数"));
    mnuFileSaveAsAngle = AddItem(mnuFileSaveAs, "mnuFileSaveAsAngle", QStringLiteral("角度差"));
    mnuFileSaveAsSession
        = AddItem(mnuFileSaveAs, "mnuFileSaveAsSession", QStringLiteral("セッション"));
    mnuFileEnd = AddItem(mnuFile, "mnuFileEnd", QStringLiteral("終了"));

    mnuEdit = named(bar->addMenu(QStringLiteral("編集")), "mnuEdit");
    mnuEditDraw = AddItem(mnuEdit, "mnuEditDraw", QStringLiteral("面指数のプロット"));
    mnuEditCls = AddItem(mnuEdit, "mnuEditCls", QStringLiteral("画像のクリア"));
    mnuEditCopy = AddItem(mnuEdit, "mnuEditCopy", QStringLiteral("クリップボードにコピー"));
    mnuEdit->addSeparator();
    mnuEditDirection = AddItem(mnuEdit, "mnuEditDirection", QStringLiteral("方向としてプロット"));
    mnuEditDirection->setCheckable(true);
    mnuEditIndexLabels = AddItem(mnuEdit, "mnuEditIndexLabels", QStringLiteral("指数を表示"));
    mnuEditIndexLabels->setCheckable(true);
    mnuEditCaption = AddItem(mnuEdit, "mnuEditCaption", QStringLiteral("保存する図に説明を付ける"));
    mnuEditCaption->setCheckable(true);

    mnuSelect = named(bar->addMenu(QStringLiteral("投影図の選択")), "mnuSelect");
    for (std::size_t k = 0; k < mnuSelectItems.size(); ++k) {
        const ViewRow& row = DocumentedViews()[k];
        mnuSelectItems[k] = AddItem(mnuSelect, row.menuItem, row.menuCaption);
    }
    mnuSelect->addSeparator();
    mnuSelectFree = AddItem(mnuSelect, "mnuSelectFree", QStringLiteral("任意の結晶と方位"));

    mnuFileHelp = named(bar->addMenu(QStringLiteral("ヘルプ")), "mnuFileHelp");
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
    mnuEditIndexLabels->setEnabled(scene.isFree());
}
