// The copy-translate windows: the time from the controller reading a selection's text until the
// trigger window has swapped its first frame, and from
// a click on the trigger until the detail window has swapped its first frame. Both windows are
// built once beforehand, as the program does after login; the desktop's mouse is a scripted one.
// Run on an X display (scripts/bench-copytrans-windows).
#include "BenchQml.h"
#include "core/Dispatch.h"
#include "core/State.h"
#include "platform/FakeDesktopScreens.h"
#include "platform/FakeInputEventSource.h"

#include <QMouseEvent>
#include <QQuickItem>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int Rounds = 30;

// Reading the selection starts the clock: from here the captured text is available.
class SelectingSource : public FakeInputEventSource
{
public:
    QElapsedTimer captured;
    QString selectionText() override
    {
        captured.start();
        return FakeInputEventSource::selectionText();
    }
};

// A 300-pixel drag held for half a second, at a time after the previous one.
void drag(SelectingSource& source, int round)
{
    const quint32 t = 1000 + quint32(round) * 10000;
    source.press(1, {400, 420}, t);
    source.move({550, 420}, t + 200);
    source.move({700, 420}, t + 400);
    source.release(1, {700, 420}, t + 500);
}

void click(QQuickWindow* window, QPointF at)
{
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, at, window->mapToGlobal(at.toPoint()), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QGuiApplication::sendEvent(window, &event);
    }
}

// The trigger's content may still be loading when its window shows.
QQuickItem* findButton(QQuickWindow* trigger)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (auto* button = trigger->findChild<QQuickItem*>(QStringLiteral("triggerButton")))
            return button;
        if (waited.elapsed() > 5000)
            return nullptr;
        BenchQml::settle(10);
    }
}

} // namespace

using namespace BenchQml;

int main(int argc, char** argv)
{
    App app(argc, argv);
    State* state = State::instance();
    std::unique_ptr<QQuickWindow> trigger =
        app.load({}, QUrl(QStringLiteral("qrc:/ui/copyTransWindow/CopyTransTriggerWindow.qml")));
    std::unique_ptr<QQuickWindow> detail = app.load({}, QUrl(QStringLiteral("qrc:/ui/copyTransWindow/CopyTransWindow.qml")));
    if (!trigger || !detail)
        return 1;
    // What the main window does with the two flags.
    QObject::connect(state, &State::showCopyTransTriggerChange, trigger.get(),
                     [&] { trigger->setVisible(state->showCopyTransTrigger()); });
    QObject::connect(state, &State::showCopyTransDetailChange, detail.get(),
                     [&] { detail->setVisible(state->showCopyTransDetail()); });

    SelectingSource source;
    FakeDesktopScreens screens;
    screens.setScreens({QRect(0, 0, 1920, 1080)});
    source.addWindow(QRect(0, 0, 1920, 1080), 77);
    InputEventSource::setSystem(&source);
    DesktopScreens::setSystem(&screens);
    state->setCopyTransBySelect(true);
    Dispatch::instance()->initController(Dispatch::Ctrl_CopyTrans);
    Dispatch::instance()->run(Dispatch::Ctrl_CopyTrans, QStringLiteral("startSelectTrans"), {});
    settle(300);

    QVector<double> triggers;
    QVector<double> details;
    int missed = 0;
    for (int round = 0; round < Rounds; ++round) {
        source.setSelection(QStringLiteral("captured text %1").arg(round));
        source.captured.invalidate();
        const double shown = untilFrame(trigger.get(), source.captured, [&] { drag(source, round); });
        settle(30);
        QQuickItem* button = findButton(trigger.get());
        if (!button) {
            std::fprintf(stderr, "round %d: the trigger window has no \"triggerButton\"\n", round);
            return 1;
        }
        const QPointF centre = button->mapToScene(QPointF(button->width() / 2, button->height() / 2));
        QElapsedTimer clicked;
        const double opened = untilFrame(detail.get(), clicked, [&] {
            clicked.start();
            click(trigger.get(), centre);
        });
        if (shown < 0 || opened < 0 || !detail->isVisible()) {
            ++missed;
        } else {
            triggers.append(shown);
            details.append(opened);
        }
        settle(30);
        state->setShowCopyTransDetail(false);
        settle(100);
    }
    Dispatch::instance()->releaseController(Dispatch::Ctrl_CopyTrans);
    InputEventSource::setSystem(nullptr);
    DesktopScreens::setSystem(nullptr);

    std::printf("%s, %d rounds\n", qPrintable(QGuiApplication::platformName()), Rounds);
    if (missed > 0 || triggers.isEmpty()) {
        std::fprintf(stderr, "%d rounds showed no window\n", missed);
        return 1;
    }
    // The first round builds the windows' scene graphs: what the first selection after login costs.
    std::printf("first round: trigger %.2f ms, detail %.2f ms\n", triggers.first(), details.first());
    report("selection read -> trigger window's first frame", triggers);
    report("click on the trigger -> detail window's first frame", details);
    return 0;
}
