#include "quicktrans/WinCopyTransListener.h"

#include "shell/WindowState.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWindow>

#include <algorithm>
#include <cstdlib>

namespace {

const int kLeftButton = 1;
const int kFirstWheelButton = 4;
const int kLastWheelButton = 7;
const int kDragStart = 10;

} // namespace

WinCopyTransListener::WinCopyTransListener(bool paused, InputEventSource* chosenSource, QObject* parent)
    : QObject(parent), source(chosenSource ? chosenSource : InputEventSource::system()), paused(paused)
{
    // A coarse timer may fire 5% early or late; the copy is promised at 80 ms.
    debounce.setTimerType(Qt::PreciseTimer);
    if (!source)
        return;
    connect(source, &InputEventSource::inputEvent, this, &WinCopyTransListener::onInputEvent);
    source->acquire();
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

WinCopyTransListener::~WinCopyTransListener()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
    debounce.stop();
    if (source)
        source->release();
}

bool WinCopyTransListener::isSupported() const
{
    return source && source->isSupported();
}

QString WinCopyTransListener::selectionText() const
{
    return source ? source->selectionText() : QString();
}

bool WinCopyTransListener::isSelection(quint32 dt, int dx, int dy)
{
    const int reach = std::max(std::abs(dx), std::abs(dy));
    if (dt >= 400)
        return true;
    if (dt >= 200)
        return reach >= 120;
    return reach >= 240;
}

bool WinCopyTransListener::isQuickTransWindow(WId window)
{
    const WindowState* windows = WindowState::instance();
    return window != 0 && windows
           && (window == windows->handle(WindowState::CopyTransTrigger)
               || window == windows->handle(WindowState::CopyTransDetail));
}

bool WinCopyTransListener::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->isWindowType()
        && isQuickTransWindow(static_cast<QWindow*>(watched)->winId())) {
        popupPressTime = quint32(static_cast<QMouseEvent*>(event)->timestamp());
        popupPressed = true;
    }
    return false;
}

void WinCopyTransListener::onInputEvent(const InputEvent& event)
{
    switch (event.type) {
    case InputEvent::ButtonPress:
        if (event.button == kLeftButton)
            onPress(event.pos, event.time);
        else if (event.button >= kFirstWheelButton && event.button <= kLastWheelButton)
            emit mouseWheel();
        break;
    case InputEvent::Motion:
        onMove(event.pos);
        break;
    case InputEvent::ButtonRelease:
        if (event.button == kLeftButton)
            onRelease(event.pos, event.time);
        break;
    case InputEvent::KeyPress:
    case InputEvent::KeyRelease:
        break;
    }
}

void WinCopyTransListener::onPress(const QPoint& pos, quint32 time)
{
    const WId window = source->windowAt(pos);
    if (isQuickTransWindow(window) || (popupPressed && time == popupPressTime))
        return;
    debounce.stop();
    downWindow = window;
    dragging = false;
    buttonDown = true;
    downX = pos.x();
    downY = pos.y();
    downTime = time;
    emit mouseDown();
}

void WinCopyTransListener::onMove(const QPoint& pos)
{
    // Cheap tests first: the window look-up asks the display server.
    if (paused || !buttonDown || source->windowAt(pos) != downWindow)
        return;
    dx = pos.x() - downX;
    dy = pos.y() - downY;
    if (!dragging && (std::abs(dx) >= kDragStart || std::abs(dy) >= kDragStart)) {
        dragging = true;
        emit mouseDrag();
    }
}

void WinCopyTransListener::onRelease(const QPoint& pos, quint32 time)
{
    if (paused || !buttonDown)
        return;
    const WId window = source->windowAt(pos);
    if (window != downWindow)
        return;
    buttonDown = false;
    const WindowState* windows = WindowState::instance();
    if (isQuickTransWindow(window) || (windows && windows->hasActiveWindow()))
        return;
    // Unsigned: the event clock wraps every 49.7 days.
    if (dragging && window != 0 && isSelection(time - downTime, dx, dy))
        debounce.run([this] { copySelection(); });
    emit mouseUp();
}

void WinCopyTransListener::copySelection()
{
    // Dragging a title bar, a slider or a scroll bar qualifies too, but selects nothing: what
    // PRIMARY still holds then is an older selection.
    if (source && source->selectionChangedSince(downTime))
        emit startCopy();
}
