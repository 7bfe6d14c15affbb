#include "core/AppMain.h"

#include "core/AppResources.h"
#include "core/Dispatch.h"
#include "core/State.h"
#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QUrl>

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

    return app.exec();
}
