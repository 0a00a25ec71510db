#include "app/RecentFiles.h"

#include "app/KeptSettings.h"
#include "app/UserDialogs.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

RecentFiles::RecentFiles(QMenu* menu, UserDialogs& dialogs, QWidget* parent)
    : QObject(menu)
    , m_menu(menu)
    , m_dialogs(dialogs)
    , m_parent(parent)
{
    show();
}

void RecentFiles::keepIn(KeptSettings& settings)
{
    m_settings = &settings;
    show();
}

QStringList RecentFiles::files() const
{
    return m_settings ? m_settings->recentFiles() : m_files;
}

void RecentFiles::add(const QString& path)
{
    if (m_settings) {
        m_settings->addRecentFile(path);
    } else {
        const QString absolute = QFileInfo(path).absoluteFilePath();
        m_files.removeAll(absolute);
        m_files.prepend(absolute);
        m_files = m_files.mid(0, KeptSettings::RecentCount);
    }
    show();
}

void RecentFiles::choose(const QString& path)
{
    if (QFileInfo(path).isFile()) {
        emit chosen(path);
        return;
    }
    if (m_settings)
        m_settings->removeRecentFile(path);
    m_files.removeAll(path);
    show();
    m_dialogs.showMessage(m_parent, RecentMessages::Gone.arg(QDir::toNativeSeparators(path)));
}

void RecentFiles::show()
{
    m_menu->clear();
    const QStringList list = files();
    int n = 0;
    for (const QString& path : list) {
        // Numbered as menus number their files; the folder in the tip.
        QAction* item
            = m_menu->addAction(QStringLiteral("%1 %2").arg(++n).arg(QFileInfo(path).fileName()));
        item->setObjectName(QStringLiteral("recentFile"));
        item->setToolTip(QDir::toNativeSeparators(path));
        item->setStatusTip(QDir::toNativeSeparators(path));
        connect(item, &QAction::triggered, this, [this, path] { choose(path); });
    }
    m_menu->setEnabled(!list.isEmpty());
}
