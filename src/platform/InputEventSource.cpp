#include "platform/InputEventSource.h"

#include "platform/X11InputEventSource.h"

#include <QCoreApplication>
#include <QPointer>

namespace {
QPointer<InputEventSource> chosenSource;
} // namespace

InputEventSource* InputEventSource::system()
{
    if (chosenSource)
        return chosenSource;
    static QPointer<InputEventSource> source;
    if (!source && QCoreApplication::instance())
        source = new X11InputEventSource(QCoreApplication::instance());
    return source;
}

void InputEventSource::setSystem(InputEventSource* source)
{
    chosenSource = source;
}

void InputEventSource::acquire()
{
    if (users++ == 0)
        start();
}

void InputEventSource::release()
{
    if (users == 0)
        return;
    if (--users == 0) {
        stop();
        leftCtrlDown = rightCtrlDown = false; // releases while stopped were never seen
    }
}

void InputEventSource::deliver(InputEvent event)
{
    const bool down = event.type == InputEvent::KeyPress;
    if (event.type == InputEvent::KeyPress || event.type == InputEvent::KeyRelease) {
        if (event.key == InputKey::ControlLeft)
            leftCtrlDown = down;
        else if (event.key == InputKey::ControlRight)
            rightCtrlDown = down;
    }
    event.ctrlDown = leftCtrlDown || rightCtrlDown;
    emit inputEvent(event);
}
