#include "app/AppIcon.h"
#include "app/RunState.h"
#include "app/UserDialogs.h"
#include "app/frmMainForm.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle);
    QApplication::setWindowIcon(AppIcon());

    RunState state;
    QtUserDialogs dialogs;
    frmMainForm form(state, dialogs);
    form.show();
    return QApplication::exec();
}
