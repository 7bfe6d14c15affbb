#pragma once
// What the window benchmarks share: the program's own QML set-up in a private XDG home, waiting
// without a busy loop, timing a step until its frame and printing a sample series.
#include "core/AppResources.h"
#include "app/AppWiring.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace BenchQml {

// The text translation page alone in a window of the main window's default size.
constexpr char PageHostQml[] = R"qml(
import QtQuick 2.14
import QtQuick.Window 2.14
Window {
    width: 1152
    height: 768
    visible: true
    TextTransPage { objectName: "page"; anchors.fill: parent }
}
)qml";
constexpr char PageHostUrl[] = "qrc:/ui/pages/textTrans/PageHost.qml";

// Settings and data in a folder of its own; the engine wired as the program wires it.
class App
{
    QTemporaryDir m_home;
    QGuiApplication m_app;

public:
    App(int& argc, char** argv)
        : m_app((setUp(m_home), argc), argv)
    {
        initResources();
        AppWiring::wire();
        AppWiring::setUpEngine(engine);
    }

    // A window from QML text or a resource; null (with the errors printed) when it fails.
    std::unique_ptr<QQuickWindow> load(const QByteArray& qml, const QUrl& url)
    {
        QQmlComponent component(&engine);
        if (qml.isEmpty())
            component.loadUrl(url);
        else
            component.setData(qml, url);
        std::unique_ptr<QQuickWindow> window(qobject_cast<QQuickWindow*>(component.create()));
        if (!window)
            std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return window;
    }

    QQmlApplicationEngine engine;

private:
    static void setUp(const QTemporaryDir& home)
    {
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
        qputenv("QT_LOGGING_RULES", "*.debug=false");
    }
};

inline void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Milliseconds on the clock when the window has swapped a frame after the step (and after
// `ready`, when given, has become true); -1 when none came within five seconds.
inline double untilFrame(QQuickWindow* window, const QElapsedTimer& clock, const std::function<void()>& step,
                         const std::function<bool()>& ready = {})
{
    QEventLoop loop;
    double at = -1;
    const QMetaObject::Connection done = QObject::connect(window, &QQuickWindow::frameSwapped, &loop, [&] {
        if (ready && !ready())
            return;
        at = clock.isValid() ? clock.nsecsElapsed() / 1e6 : -1;
        loop.quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    step();
    loop.exec();
    QObject::disconnect(done);
    return at;
}

// Milliseconds from the step until the window has swapped a frame after it (and after `ready`).
inline double timedUntilFrame(QQuickWindow* window, const std::function<void()>& step,
                              const std::function<bool()>& ready = {})
{
    QElapsedTimer clock;
    clock.start();
    return untilFrame(
        window, clock,
        [&] {
            step();
            window->requestUpdate();
        },
        ready);
}

inline void report(const char* what, QVector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    std::printf("%-56s median %7.2f ms   max %7.2f ms   (%d samples)\n", what, samples.at(samples.size() / 2),
                samples.last(), int(samples.size()));
}

} // namespace BenchQml
