#pragma once

#include "app/UserDialogs.h"

#include <QList>
#include <QStringList>
#include <utility>

// Records every request and returns at once, as if the user had pressed OK,
// answered the questions as set in advance (yes when none is left) or chosen
// the files set in advance (cancelled when none is left).
class RecordingUserDialogs : public UserDialogs
{
public:
    struct FileDialogCall
    {
        QString title;
        QStringList filters;
        QString name;
    };

    QStringList messages;
    QStringList questions;
    QList<bool> nextAnswers;
    QList<FileDialogCall> saveDialogs;
    QList<FileDialogCall> openDialogs;
    // The answers of the next file dialogs, in order.
    QList<FileChoice> nextFiles;
    // What the crystal dialog answers, and what it was shown each time.
    std::optional<Crystal> nextFreeView;
    QList<Crystal> freeViewDialogs;
    // The answer of the dialog 第二の結晶; none cancels.
    std::optional<SecondCrystalAnswer> nextSecond;

    void showMessage(QWidget*, const QString& text) override { messages.append(text); }
    bool askYesNo(QWidget*, const QString& question) override
    {
        questions.append(question);
        return nextAnswers.isEmpty() || nextAnswers.takeFirst();
    }
    FileChoice showSaveDialog(
        QWidget*, const QString& title, const QStringList& filters, const QString& name) override
    {
        saveDialogs.append({ title, filters, name });
        return nextFiles.isEmpty() ? FileChoice() : nextFiles.takeFirst();
    }
    FileChoice showOpenDialog(QWidget*, const QString& title, const QStringList& filters) override
    {
        openDialogs.append({ title, filters, {} });
        return nextFiles.isEmpty() ? FileChoice() : nextFiles.takeFirst();
    }
    std::optional<Crystal> askFreeView(QWidget*, const Crystal& current) override
    {
        freeViewDialogs.append(current);
        return std::exchange(nextFreeView, std::nullopt);
    }
    std::optional<SecondCrystalAnswer> askSecondCrystal(
        QWidget*, const Crystal&, const std::optional<SecondCrystal>&) override
    {
        return std::exchange(nextSecond, std::nullopt);
    }
    void clear()
    {
        nextFreeView.reset();
        nextSecond.reset();
        freeViewDialogs.clear();
        messages.clear();
        questions.clear();
        nextAnswers.clear();
        saveDialogs.clear();
        openDialogs.clear();
        nextFiles.clear();
    }
};
