#include "core/QuickStorage.h"

#include "core/AppConfig.h"
#include "core/Log.h"
#include "platform/SettingsFile.h"

#include <mutex>

static QuickStorage* s_quickStorage = nullptr;

QuickStorage* QuickStorage::instance()
{
    static std::once_flag once;
    std::call_once(once, [] { s_quickStorage = new QuickStorage; });
    return s_quickStorage;
}

QuickStorage::QuickStorage(QObject* parent)
    : QObject(parent), registry(std::make_unique<SettingsFile>(AppConfig::configDir() + QStringLiteral("/settings.ini")))
{
}

QuickStorage::~QuickStorage()
{
    s_quickStorage = nullptr;
}

void QuickStorage::setValue(const QString& key, const QString& value)
{
    registry->setValue(key, value);
}

QString QuickStorage::getValue(const QString& key) const
{
    return registry->value(key);
}

QString QuickStorage::getValueOr(const QString& key, const QString& fallback) const
{
    const QString value = getValue(key);
    return value.isEmpty() ? fallback : value;
}

void QuickStorage::remove(const QString& key)
{
    registry->remove(key);
}

void QuickStorage::setIniSetting(const QString& key, const QString& value)
{
    iniFile().setValue(key, value);
}

QString QuickStorage::getIniSetting(const QString& key)
{
    return iniFile().value(key);
}

SettingsFile& QuickStorage::iniFile()
{
    if (!ini) {
        const QString path = AppConfig::configDir() + QStringLiteral("/parlavine.ini");
        log(QStringLiteral("setIniSetting: %1"), path);
        ini = std::make_unique<SettingsFile>(path);
    }
    return *ini;
}
