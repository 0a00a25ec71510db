#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Everything the main window asks the user through a modal dialog. The
// program shows Qt's dialogs; tests put a recorder in their place so that no
// test ever waits in a modal loop.
class UserDialogs
{
public:
    virtual ~UserDialogs() = default;

    // A modal message box: the text, one OK button, no icon, the application title.
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    // A modal file-save dialog; its answer is of no use to the program.
    virtual void showSaveDialog(QWidget* parent, const QString& title, const QStringList& filters)
        = 0;
};

class QtUserDialogs : public UserDialogs
{
public:
    void showMessage(QWidget* parent, const QString& text) override;
    void showSaveDialog(QWidget* parent, const QString& title, const QStringList& filters) override;
};
