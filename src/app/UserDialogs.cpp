#include "app/UserDialogs.h"

#include "ui/ApplicationInfo.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

void QtUserDialogs::showMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, text, QMessageBox::Ok, parent);
    // Some styles decorate dialog buttons with icons; this box has none at all.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

void QtUserDialogs::showSaveDialog(
    QWidget* parent, const QString& title, const QStringList& filters)
{
    // The chosen name is deliberately dropped: nothing is ever written.
    QFileDialog::getSaveFileName(parent, title, QString(), filters.join(QStringLiteral(";;")));
}
