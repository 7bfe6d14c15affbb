#include "platform/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

static const QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

SettingsFile::SettingsFile(const QString& filePath) : settings(prepareFile(filePath), QSettings::IniFormat) {}

// The file holds a live session: it must exist with owner-only rights before the first write,
// because an atomic rewrite keeps the rights of the file it replaces.
QString SettingsFile::prepareFile(const QString& filePath)
{
    QDir().mkpath(QFileInfo(filePath).absolutePath());
    QFile file(filePath);
    if (!file.exists())
        file.open(QIODevice::WriteOnly);
    file.setPermissions(kOwnerOnly);
    return filePath;
}

QString SettingsFile::filePath() const
{
    return settings.fileName();
}

QString SettingsFile::value(const QString& key) const
{
    return settings.value(key).toString();
}

void SettingsFile::setValue(const QString& key, const QString& value)
{
    settings.setValue(key, value);
    flush();
}

void SettingsFile::remove(const QString& key)
{
    settings.remove(key);
    flush();
}

void SettingsFile::flush()
{
    settings.sync();
    QFile::setPermissions(settings.fileName(), kOwnerOnly);
}
