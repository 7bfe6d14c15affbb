// The global input layer on X11: the time from a qualifying mouse-up reaching the client to
// startCopy (designed as 80 ms) and to the selection's text read from the xterm, over drags made
// with xdotool in an xterm, and what the event
// source costs while mouse and keyboard are idle: CPU time and voluntary context switches
// (wake-ups) of the whole process over an idle period, without and then with the source
// recording. Run on an X display (scripts/bench-quick-input).
#include "platform/X11InputEventSource.h"
#include "quicktrans/WinCopyTransListener.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace {

struct Usage {
    double cpuMs;
    long wakeUps;
};

Usage usageNow()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double cpu = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0
                       + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    return {cpu, usage.ru_nvcsw};
}

void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

Usage idle(int seconds)
{
    const Usage before = usageNow();
    spin(seconds * 1000);
    const Usage after = usageNow();
    return {after.cpuMs - before.cpuMs, after.wakeUps - before.wakeUps};
}

bool xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(10000) && process.exitCode() == 0;
}

void printLatencies(const char* what, QVector<double> samples)
{
    if (samples.isEmpty()) {
        std::printf("%s: none seen\n", what);
        return;
    }
    std::sort(samples.begin(), samples.end());
    std::printf("%s over %d drags: min %.2f ms, median %.2f ms, max %.2f ms\n", what, int(samples.size()),
                samples.first(), samples.at(samples.size() / 2), samples.last());
}

void measureLatency(X11InputEventSource& source, int drags)
{
    QProcess xterm;
    // Wide enough that the whole drag stays on it.
    xterm.start(QStringLiteral("xterm"), {"-geometry", "40x3+0+0", "-fa", "DejaVu Sans Mono", "-fs", "12", "-e", "sh",
                                          "-c", "echo some words to select; exec sleep 600"});
    for (int i = 0; i < 100 && source.windowAt(QPoint(20, 8)) == 0; ++i)
        spin(100);

    WinCopyTransListener listener(false, &source);
    QElapsedTimer clock;
    clock.start();
    qint64 releasedAt = -1;
    QVector<double> latencies;
    QVector<double> readLatencies;
    QObject::connect(&source, &InputEventSource::inputEvent, [&](const InputEvent& event) {
        if (event.type == InputEvent::ButtonRelease && event.button == 1)
            releasedAt = clock.nsecsElapsed();
    });
    QObject::connect(&listener, &WinCopyTransListener::startCopy, [&] {
        latencies.append((clock.nsecsElapsed() - releasedAt) / 1e6);
        if (!listener.selectionText().isEmpty())
            readLatencies.append((clock.nsecsElapsed() - releasedAt) / 1e6);
    });
    for (int i = 0; i < drags; ++i) {
        xdotool({"mousemove", "2", "8", "mousedown", "1", "mousemove", "150", "8", "mousemove", "300", "8", "mouseup", "1"});
        spin(200);
    }
    xterm.kill();
    xterm.waitForFinished();
    printLatencies("mouse-up -> startCopy", latencies);
    printLatencies("mouse-up -> selection read", readLatencies);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    X11InputEventSource source;
    if (!source.isSupported()) {
        std::printf("the X11 input source is unsupported here\n");
        return 1;
    }
    const int seconds = qEnvironmentVariableIntValue("PARLAVINE_IDLE_SECONDS") > 0
                            ? qEnvironmentVariableIntValue("PARLAVINE_IDLE_SECONDS")
                            : 60;
    measureLatency(source, 20);

    spin(500); // let the drags' aftermath settle
    const Usage without = idle(seconds);
    source.acquire();
    const Usage with = idle(seconds);
    source.release();
    std::printf("idle %d s without the source: %.1f ms CPU, %ld wake-ups\n", seconds, without.cpuMs, without.wakeUps);
    std::printf("idle %d s while recording:   %.1f ms CPU, %ld wake-ups\n", seconds, with.cpuMs, with.wakeUps);
    return 0;
}
