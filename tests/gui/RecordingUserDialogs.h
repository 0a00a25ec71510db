#pragma once

#include "app/UserDialogs.h"

#include <QList>
#include <QStringList>

// Records every request and returns at once, as if the user had pressed OK.
class RecordingUserDialogs : public UserDialogs
{
public:
    struct SaveDialogCall
    {
        QString title;
        QStringList filters;
    };

    QStringList messages;
    QList<SaveDialogCall> saveDialogs;

    void showMessage(QWidget*, const QString& text) override { messages.append(text); }
    void showSaveDialog(QWidget*, const QString& title, const QStringList& filters) override
    {
        saveDialogs.append({ title, filters });
    }
    void clear()
    {
        messages.clear();
        saveDialogs.clear();
    }
};
