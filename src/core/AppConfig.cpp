#include "core/AppConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace {

// A program of ours that the client starts: beside the executable in a build; installed, it is
// internal to the package, under lib/.
QString helperProgram(const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath();
    const QString beside = folder + QLatin1Char('/') + name;
    return QFileInfo::exists(beside) ? beside : QDir::cleanPath(folder + QStringLiteral("/../lib/parlavine/") + name);
}

} // namespace

QString AppConfig::apiUrl()
{
    return envOr("PARLAVINE_API_URL", QStringLiteral(PARLAVINE_DEFAULT_API_URL));
}

QString AppConfig::collectorUrl()
{
    return envOr("PARLAVINE_COLLECTOR_URL", QStringLiteral(PARLAVINE_DEFAULT_COLLECTOR_URL));
}

QString AppConfig::collectorProjectKey()
{
    return QStringLiteral("PvLnQrTsWkHdJmBxZc");
}

QString AppConfig::webUrl()
{
    QUrl url(envOr("PARLAVINE_WEB_URL", QStringLiteral(PARLAVINE_DEFAULT_WEB_URL)).trimmed());
    if (url.port() == (url.scheme() == QLatin1String("https") ? 443 : 80))
        url.setPort(-1);
    return url.adjusted(QUrl::StripTrailingSlash).toString();
}

int AppConfig::requestTimeoutMs()
{
    return positiveIntEnvOr("PARLAVINE_REQUEST_TIMEOUT_MS", 60000);
}

QString AppConfig::updateInstallScript()
{
    return envOr("PARLAVINE_UPDATE_INSTALL_SCRIPT", helperProgram(QStringLiteral("parlavine-install-update")));
}

int AppConfig::updateRetryMs()
{
    return positiveIntEnvOr("PARLAVINE_UPDATE_RETRY_MS", 300000);
}

QString AppConfig::takeUpdateFailure()
{
    const QString reason = qEnvironmentVariable("PARLAVINE_UPDATE_FAILED");
    qunsetenv("PARLAVINE_UPDATE_FAILED");
    return reason;
}

QString AppConfig::webLoginProgram()
{
    return envOr("PARLAVINE_WEBLOGIN_PROGRAM", helperProgram(QStringLiteral("parlavine-weblogin")));
}

QString AppConfig::configDir()
{
    // Generic locations do not depend on the application name, so this works before QApplication exists.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Parlavine");
}

QString AppConfig::dataDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Parlavine");
}

QString AppConfig::version()
{
    return QStringLiteral(PARLAVINE_VERSION);
}

QString AppConfig::logFile()
{
    return qEnvironmentVariable("PARLAVINE_LOG_FILE");
}

QString AppConfig::systemThemeOverride()
{
    const QString value = qEnvironmentVariable("PARLAVINE_SYSTEM_THEME").trimmed().toLower();
    return value == QLatin1String("light") || value == QLatin1String("dark") ? value : QString();
}

int AppConfig::sessionRefreshMs()
{
    return positiveIntEnvOr("PARLAVINE_SESSION_REFRESH_MS", 7200000);
}

QString AppConfig::envOr(const char* name, const QString& fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

int AppConfig::positiveIntEnvOr(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariable(name).toInt(&ok);
    return ok && value > 0 ? value : fallback;
}

namespace {
const QString siteBase = QStringLiteral("https://parlavine.example");
}

QString AppConfig::productSiteUrl()
{
    return siteBase + QStringLiteral("/");
}

QString AppConfig::testSiteUrl()
{
    return QStringLiteral("https://test.parlavine.example/");
}

QString AppConfig::feedbackUrl()
{
    return siteBase + QStringLiteral("/feedback");
}

QString AppConfig::chatGroupUrl()
{
    return siteBase + QStringLiteral("/community");
}

QString AppConfig::supportUrl()
{
    return siteBase + QStringLiteral("/help/runtime-dependencies");
}
