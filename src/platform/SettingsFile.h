#pragma once

#include <QSettings>
#include <QString>

// A per-user string store in one ini file, private to the user (mode 0600). Every change is
// flushed before the call returns. Works before the application object exists.
class SettingsFile
{
public:
    explicit SettingsFile(const QString& filePath);

    QString value(const QString& key) const;                 // "" when absent
    void setValue(const QString& key, const QString& value); // flushed at once
    void remove(const QString& key);                         // flushed at once

private:
    static QString prepareFile(const QString& filePath);

    QSettings settings;
};
