#include "app/KeptSettings.h"

#include "files/Session.h"
#include "run/Work.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString RecentKey = QStringLiteral("recentFiles");
const QString FolderKey = QStringLiteral("lastFolder");
const QString CrystalKey = QStringLiteral("lastCrystal");
const QString GeometryKey = QStringLiteral("windowGeometry");

} // namespace

KeptSettings::KeptSettings(QSettings& settings)
    : m_settings(settings)
{
}

QStringList KeptSettings::recentFiles() const
{
    return m_settings.value(RecentKey).toStringList().mid(0, RecentCount);
}

void KeptSettings::addRecentFile(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    m_settings.setValue(RecentKey, files.mid(0, RecentCount));
}

void KeptSettings::removeRecentFile(const QString& path)
{
    QStringList files = recentFiles();
    files.removeAll(path);
    m_settings.setValue(RecentKey, files);
}

QString KeptSettings::lastFolder() const
{
    return m_settings.value(FolderKey).toString();
}

void KeptSettings::setLastFolder(const QString& folder)
{
    m_settings.setValue(FolderKey, folder);
}

std::optional<Crystal> KeptSettings::lastCrystal() const
{
    const SessionRead read = ReadSession(m_settings.value(CrystalKey).toByteArray());
    const FreeViewRecord* record = std::get_if<FreeViewRecord>(&read.session.view);
    if (!read.error.isEmpty() || !record)
        return std::nullopt;
    std::variant<Crystal, QString> crystal = CrystalOf(*record);
    if (Crystal* made = std::get_if<Crystal>(&crystal))
        return *made;
    return std::nullopt;
}

void KeptSettings::setLastCrystal(const Crystal& crystal)
{
    Session session;
    session.view = RecordOf(crystal);
    m_settings.setValue(CrystalKey, WriteSession(session));
}

QByteArray KeptSettings::windowGeometry() const
{
    return m_settings.value(GeometryKey).toByteArray();
}

void KeptSettings::setWindowGeometry(const QByteArray& geometry)
{
    m_settings.setValue(GeometryKey, geometry);
}
