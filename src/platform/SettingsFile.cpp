#include "platform/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

SettingsFile::SettingsFile(const QString& filePath) : settings(prepareFile(filePath), QSettings::IniFormat) {}

// The file holds a live session: it must exist with owner-only rights before the first write,
// because an atomic rewrite keeps the rights of the file it replaces.
QString SettingsFile::prepareFile(const QString& filePath)
{
    QDir().mkpath(QFileInfo(filePath).absolutePath());
    QFile file(filePath);
    if (!file.exists())
        file.open(QIODevice::WriteOnly);
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return filePath;
}

QString SettingsFile::value(const QString& key) const
{
    return settings.value(key).toString();
}

void SettingsFile::setValue(const QString& key, const QString& value)
{
    settings.setValue(key, value);
    settings.sync();
}

void SettingsFile::remove(const QString& key)
{
    settings.remove(key);
    settings.sync();
}
