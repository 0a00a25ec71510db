#pragma once

#include <QObject>

class PictureBox;
class PictureReading;
class WorkHistory;
struct MainMenus;
struct RunState;

// The Edit menu's items over the work's history: 元に戻す and やり直し,
// enabled while there is a step to take; 選択した極を削除 while a pole is
// picked, its Delete key heard only where the picture has the focus; and
// 面の間の角度, a change of the free view's crystal like any other.
class EditCommands : public QObject
{
    Q_OBJECT

public:
    EditCommands(const MainMenus& menus, WorkHistory& history, PictureReading& reading,
        PictureBox* picture, const RunState& state, QObject* parent);
};
