#include "app/UserDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

void QtUserDialogs::showMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

void QtUserDialogs::showSaveDialog(
    QWidget* parent, const QString& title, const QStringList& filters)
{
    // The chosen name is deliberately dropped: nothing is ever written.
    QFileDialog::getSaveFileName(parent, title, QString(), filters.join(QStringLiteral(";;")));
}
