#pragma once

#include "scene/Crystal.h"
#include "scene/SecondCrystal.h"

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// A file chosen in a file dialog and the type chosen beside it (an index
// into the dialog's filters); an empty path when the dialog was cancelled.
struct FileChoice
{
    QString path;
    int filter = 0;
};

// Everything the main window asks the user through a modal dialog. The
// program shows Qt's dialogs; tests put a recorder in their place that is
// told its answers in advance, so that no test ever waits in a modal loop.
class UserDialogs
{
public:
    virtual ~UserDialogs() = default;

    // A modal message box: the text, one OK button, no icon, the application title.
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    // The same with はい and いいえ: whether the user said yes.
    virtual bool askYesNo(QWidget* parent, const QString& question) = 0;
    // Modal file dialogs with a title and a list of file types; name is
    // the file name offered at first, without a folder.
    virtual FileChoice showSaveDialog(
        QWidget* parent, const QString& title, const QStringList& filters, const QString& name)
        = 0;
    virtual FileChoice showOpenDialog(
        QWidget* parent, const QString& title, const QStringList& filters)
        = 0;
    // The dialog "結晶と方位" showing current; the settings taken with OK,
    // none when cancelled.
    virtual std::optional<Crystal> askFreeView(QWidget* parent, const Crystal& current) = 0;
    // The dialog "第二の結晶" placing a second crystal against first: the
    // crystal placed, or removed; none when cancelled.
    struct SecondCrystalAnswer
    {
        std::optional<SecondCrystal> second;
    };
    virtual std::optional<SecondCrystalAnswer> askSecondCrystal(
        QWidget* parent, const Crystal& first, const std::optional<SecondCrystal>& current);
};

class KeptSettings;

class QtUserDialogs : public UserDialogs
{
public:
    // The file dialogs start in the folder last used, kept in the settings
    // from run to run where there are any.
    explicit QtUserDialogs(KeptSettings* settings = nullptr);
    void showMessage(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& question) override;
    FileChoice showSaveDialog(QWidget* parent, const QString& title, const QStringList& filters,
        const QString& name) override;
    FileChoice showOpenDialog(
        QWidget* parent, const QString& title, const QStringList& filters) override;
    std::optional<Crystal> askFreeView(QWidget* parent, const Crystal& current) override;
    std::optional<SecondCrystalAnswer> askSecondCrystal(QWidget* parent, const Crystal& first,
        const std::optional<SecondCrystal>& current) override;

private:
    // The folder of the last file chosen, where the next dialog opens.
    QString folder() const;
    void chose(const QString& path);

    KeptSettings* m_settings;
    QString m_folder;
};
