#pragma once

#include "core/AppResources.h"
#include "app/AppWiring.h"
#include "core/State.h"
#include "core/User.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QStringList>
#include <QTemporaryDir>
#include <QTranslator>

// The QML context start-up gives the documents, for the UI tests: the program's engine set-up
// on an engine, and every warning of the process collected.
class UiTestEngine
{
public:
    UiTestEngine()
    {
        initResources();
        // the offscreen platform has no OpenGL: windows render with the software scene graph
        static const bool software = QGuiApplication::platformName() == QLatin1String("offscreen");
        if (software && QQuickWindow::sceneGraphBackend().isEmpty())
            QQuickWindow::setSceneGraphBackend(QSGRendererInterface::Software);
        iconFamily = AppWiring::setUpEngine(engine);
        s_warnings = &warnings;
        s_previous = qInstallMessageHandler(collect);
    }

    ~UiTestEngine()
    {
        qInstallMessageHandler(s_previous);
        s_warnings = nullptr;
    }

    QQmlApplicationEngine engine;
    QString iconFamily;
    QStringList warnings;

private:
    static void collect(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        // the offscreen platform cannot raise windows; that says nothing about the documents
        const bool platformLimit = message.startsWith(QLatin1String("This plugin does not support"));
        if (type != QtDebugMsg && type != QtInfoMsg && s_warnings && !platformLimit)
            s_warnings->append(message);
        s_previous(type, context, message);
    }

    static inline QStringList* s_warnings = nullptr;
    static inline QtMessageHandler s_previous = nullptr;
};

// Settings and the database stay inside the test's own folders.
inline void isolateUserFolders(const QTemporaryDir& dir)
{
    qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
    qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
}

// A signed-in user, for pages that load their server lists only when someone is logged in.
inline void signInTestUser()
{
    User* user = User::instance();
    user->userName = QStringLiteral("tester");
    user->userId = QStringLiteral("u-1");
    user->clientKey = QStringLiteral("desktop-test");
    user->session = QStringLiteral("session-1");
    user->profileLoaded = true;
}

// Shows the documents in `language` ("en", "zh", "zh-Hant") and colour theme `theme` (0 light, 1 dark);
// the translator must outlive the windows drawn with it.
inline bool useLanguageAndTheme(QTranslator& translator, const QString& language, int theme)
{
    if (!translator.load(QStringLiteral(":/translations/%1.qm").arg(language)))
        return false;
    QCoreApplication::installTranslator(&translator);
    State::instance()->setThemeColor(theme);
    return true;
}
