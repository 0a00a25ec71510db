#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class KeptSettings;
class QMenu;
class QWidget;
class UserDialogs;

// ファイル → 最近使ったファイル: the last ten files opened, or saved as a
// session, newest first, kept in the settings where there are any. A file
// that has gone since is taken off the list with a message.
class RecentFiles : public QObject
{
    Q_OBJECT

public:
    RecentFiles(QMenu* menu, UserDialogs& dialogs, QWidget* parent);

    // The kept list, shown and from now on kept there.
    void keepIn(KeptSettings& settings);
    void add(const QString& path);
    QStringList files() const;

signals:
    // A file of the list was chosen, and it is there.
    void chosen(const QString& path);

private:
    void choose(const QString& path);
    void show();

    QMenu* m_menu;
    UserDialogs& m_dialogs;
    QWidget* m_parent;
    KeptSettings* m_settings = nullptr;
    // Without settings, the list of this run alone.
    QStringList m_files;
};

namespace RecentMessages {
inline const QString Gone
    = QStringLiteral("ファイル「%1」が見つからないため、最近使ったファイルから外しました");
} // namespace RecentMessages
