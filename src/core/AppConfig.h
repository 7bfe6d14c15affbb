#pragma once

#include <QString>

// The runtime configuration: the one place that reads PARLAVINE_* environment variables and
// knows the per-user folders. Values are read on every call, so tests may change them.
class AppConfig
{
public:
    static QString apiUrl();           // PARLAVINE_API_URL, else the build's default
    static QString collectorUrl();     // PARLAVINE_COLLECTOR_URL, else the build's default
    static QString collectorProjectKey(); // the 18 letters that name this program to the collector
    // PARLAVINE_WEB_URL, else the build's default: the host of the service's web pages (social
    // login), as a browser writes it (no default port, no trailing "/")
    static QString webUrl();
    static int requestTimeoutMs();     // PARLAVINE_REQUEST_TIMEOUT_MS, else 60000
    static QString configDir();        // $XDG_CONFIG_HOME/Parlavine
    static QString dataDir();          // $XDG_DATA_HOME/Parlavine
    static QString version();          // the build's version number
    static QString logFile();          // PARLAVINE_LOG_FILE, empty when logging is off
    static QString systemThemeOverride(); // PARLAVINE_SYSTEM_THEME "light" or "dark", else empty
    static int sessionRefreshMs();     // PARLAVINE_SESSION_REFRESH_MS, else 7200000 (two hours)
    // PARLAVINE_UPDATE_INSTALL_SCRIPT, else "parlavine-install-update" beside the executable, or
    // where the package puts it (../lib/parlavine/ from the executable's folder)
    static QString updateInstallScript();
    // PARLAVINE_UPDATE_RETRY_MS, else 300000: when an automatic version check that could not reach
    // the service is tried again
    static int updateRetryMs();
    // PARLAVINE_UPDATE_FAILED, the reason the install script gives when it starts the program again
    // after a failed installation; cleared by reading it, so that a later restart does not repeat it
    static QString takeUpdateFailure();
    // PARLAVINE_WEBLOGIN_PROGRAM, else "parlavine-weblogin" beside the executable, or where the package
    // puts it (../lib/parlavine/ from the executable's folder): the social-login window
    static QString webLoginProgram();

    // Web pages of the service that the windows open.
    static QString productSiteUrl();   // the product's web site
    static QString testSiteUrl();      // the same site for test builds
    static QString feedbackUrl();      // the feedback form
    static QString chatGroupUrl();     // the users' chat group
    static QString supportUrl();       // help on installing the runtime dependencies

private:
    static QString envOr(const char* name, const QString& fallback);
    static int positiveIntEnvOr(const char* name, int fallback);
};
