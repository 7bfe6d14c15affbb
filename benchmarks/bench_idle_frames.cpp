// What a focused, idle window costs: frames per second and CPU time per minute of the text
// translation page with the cursor in its source, against a bare Qt Quick Controls 2 window with a
// focused TextArea, in turns in one process. Run on an X display (scripts/bench-idle-frames).
#include "BenchQml.h"

#include <QQuickItem>

#include <sys/resource.h>

namespace {

constexpr int PhaseMs = 8000;
constexpr int Turns = 3;

const char BareQml[] = R"qml(
import QtQuick 2.14
import QtQuick.Controls 2.14
ApplicationWindow {
    width: 1152
    height: 768
    visible: true
    TextArea { objectName: "edit"; anchors.fill: parent; text: "Bare window" }
}
)qml";

double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

struct Idle
{
    double framesPerSecond = 0;
    double cpuMsPerMinute = 0;
};

// The window shown with its editor ("edit", inside `container` when given) focused, settled, then
// left alone for a while.
Idle measure(BenchQml::App& app, const char* qml, const char* url, const char* container)
{
    const std::unique_ptr<QQuickWindow> window = app.load(qml, QUrl(QString::fromLatin1(url)));
    if (!window)
        return {};
    for (int i = 0; i < 50 && !window->isExposed(); ++i)
        BenchQml::settle(100);
    window->requestActivate();
    for (int i = 0; i < 50 && !window->isActive(); ++i)
        BenchQml::settle(100);
    QObject* under = window.get();
    if (container)
        under = under->findChild<QQuickItem*>(QLatin1String(container));
    QQuickItem* edit = under ? under->findChild<QQuickItem*>(QStringLiteral("edit")) : nullptr;
    if (edit)
        edit->forceActiveFocus();
    BenchQml::settle(2000);
    if (!window->isActive() || !edit || !edit->hasActiveFocus())
        std::fprintf(stderr, "the editor of %s did not get the focus\n", url);
    int frames = 0;
    QObject::connect(window.get(), &QQuickWindow::frameSwapped, [&frames] { ++frames; });
    const double before = cpuMs();
    BenchQml::settle(PhaseMs);
    const double used = cpuMs() - before;
    return {frames * 1000.0 / PhaseMs, used * 60000.0 / PhaseMs};
}

} // namespace

int main(int argc, char** argv)
{
    BenchQml::App app(argc, argv);
    QVector<double> bareFrames, bareCpu, pageFrames, pageCpu;
    for (int turn = 0; turn < Turns; ++turn) {
        const Idle bare = measure(app, BareQml, "qrc:/ui/BareHost.qml", nullptr);
        const Idle page = measure(app, BenchQml::PageHostQml, BenchQml::PageHostUrl, "inputView");
        bareFrames << bare.framesPerSecond;
        bareCpu << bare.cpuMsPerMinute;
        pageFrames << page.framesPerSecond;
        pageCpu << page.cpuMsPerMinute;
    }
    std::sort(bareCpu.begin(), bareCpu.end());
    std::sort(pageCpu.begin(), pageCpu.end());
    std::sort(bareFrames.begin(), bareFrames.end());
    std::sort(pageFrames.begin(), pageFrames.end());
    const int mid = Turns / 2;
    std::printf("%s, %d turns of %d s, medians\n", qPrintable(QGuiApplication::platformName()), Turns, PhaseMs / 1000);
    std::printf("bare window, focused TextArea:  %5.2f frames/s  %7.1f ms CPU per minute\n", bareFrames[mid],
                bareCpu[mid]);
    std::printf("text page, focused source:      %5.2f frames/s  %7.1f ms CPU per minute\n", pageFrames[mid],
                pageCpu[mid]);
    std::printf("ratio of CPU time: %.2fx (target at most 1.5x)\n", pageCpu[mid] / std::max(bareCpu[mid], 1.0));
    return 0;
}
