#pragma once

#include "scene/Crystal.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

class QSettings;

// What the program remembers from one run to the next: the files used
// last, the folder the file dialogs start in, the free view's last crystal
// and the window's size and place. Kept in the QSettings it is given; a
// window given none remembers nothing, as the tests, the soak and an
// export want.
class KeptSettings
{
public:
    explicit KeptSettings(QSettings& settings);

    static constexpr int RecentCount = 10;
    // Newest first.
    QStringList recentFiles() const;
    void addRecentFile(const QString& path);
    void removeRecentFile(const QString& path);

    QString lastFolder() const;
    void setLastFolder(const QString& folder);

    // Kept as a session file keeps the free view, so that what a session
    // would refuse is never taken.
    std::optional<Crystal> lastCrystal() const;
    void setLastCrystal(const Crystal& crystal);

    QByteArray windowGeometry() const;
    void setWindowGeometry(const QByteArray& geometry);

private:
    QSettings& m_settings;
};
