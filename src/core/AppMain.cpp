#include "core/AppMain.h"

#include "core/AppResources.h"
#include "core/CrashDump.h"
#include "core/Dispatch.h"
#include "core/LocalSocketUtil.h"
#include "core/QuickStorage.h"
#include "core/ShareMemoryUtil.h"
#include "core/StartArgs.h"
#include "core/State.h"
#include "core/TimeUtil.h"
#include "shell/GlobalCtrl.h"
#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QUrl>

#include <cstdio>
#include <memory>

QString mainQmlUrl()
{
    return QStringLiteral("qrc:/ui/mainWin.qml");
}

int appMain(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    QApplication app(argc, argv);
    initResources();

    // Singletons go in reverse order of creation once the sequence is done.
    std::unique_ptr<State> state(State::instance());
    std::unique_ptr<Dispatch> dispatch(Dispatch::instance());
    std::unique_ptr<QuickStorage> quickStorage(QuickStorage::instance());
    std::unique_ptr<GlobalCtrl> globalCtrl(GlobalCtrl::instance());

    ShareMemoryUtil marker(QStringLiteral("parlavine_init"));
    const QVector<StartArg> startRequests =
        StartArgs::parse(QCoreApplication::arguments(), TimeUtil::currentTimestamp());
    if (marker.exists())
        return handOverToRunningInstance(startRequests);
    applyStartRequests(startRequests);
    recordLastCrash();

    TerminationSignals terminationSignals;

    QQmlApplicationEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("$state"), state.get());
    engine.rootContext()->setContextProperty(QStringLiteral("$dispatch"), dispatch.get());

    const QUrl url(mainQmlUrl(), QUrl::TolerantMode);
    QObject::connect(
        &engine, &QQmlApplicationEngine::objectCreated, &app,
        [url](QObject* object, const QUrl& objectUrl) {
            if (!object && objectUrl == url)
                QCoreApplication::exit(-1);
        },
        Qt::QueuedConnection);
    engine.load(url);

    installBreakpad();

    const int exitCode = app.exec();
    if (exitCode == RestartExitCode)
        return restartApplication(marker);
    return exitCode;
}

void applyStartRequests(const QVector<StartArg>& requests)
{
    for (const StartArg& request : requests) {
        if (request.kind == StartArg::LoginScheme) {
            GlobalCtrl::instance()->raiseWindow(QStringLiteral("login"));
            State::instance()->loginSchemeQuery = request.value;
        } else {
            State::instance()->setQuickTransfileData(request.value);
        }
    }
}

int handOverToRunningInstance(const QVector<StartArg>& requests)
{
    const InstanceMessage message = StartArgs::handOver(requests);
    QString error;
    if (LocalSocketUtil::quickSend(message.server, message.text, 5000, &error))
        return 0;
    std::fprintf(stderr, "Parlavine is already running, but it did not take the request (%s: %s)\n",
                 qUtf8Printable(message.server), qUtf8Printable(error));
    return 2;
}

int restartApplication(ShareMemoryUtil& marker)
{
    marker.release();
    LocalSocketUtil::closeAllServers();
    if (!QProcess::startDetached(QCoreApplication::applicationFilePath(), {}))
        std::fprintf(stderr, "Parlavine could not start again\n");
    return 0;
}
