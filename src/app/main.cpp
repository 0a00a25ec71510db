#include "app/RunState.h"
#include "app/UserDialogs.h"
#include "app/frmMainForm.h"
#include "ui/AppIcon.h"
#include "ui/ApplicationInfo.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle);
    QApplication::setWindowIcon(AppIcon());
    QApplication::setDesktopFileName(QStringLiteral("org.orvandeler.Orvandeler"));

    // The window speaks Japanese whatever the locale, and so should Qt's own
    // dialogs (the save dialog's buttons); without the catalogue they stay English.
    QTranslator qtTranslator;
    if (qtTranslator.load(
            QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    RunState state;
    QtUserDialogs dialogs;
    frmMainForm form(state, dialogs);
    form.show();
    return QApplication::exec();
}
