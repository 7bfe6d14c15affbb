#include "platform/FakeInputEventSource.h"

FakeInputEventSource::FakeInputEventSource(QObject* parent) : InputEventSource(parent) {}

WId FakeInputEventSource::windowAt(const QPoint& pos)
{
    for (int i = windows.size() - 1; i >= 0; --i) {
        if (windows.at(i).first.contains(pos))
            return windows.at(i).second;
    }
    return 0;
}

void FakeInputEventSource::addWindow(const QRect& rect, WId window)
{
    windows.append({rect, window});
}

void FakeInputEventSource::send(const InputEvent& event)
{
    if (running)
        deliver(event);
}

void FakeInputEventSource::press(int button, const QPoint& pos, quint32 time)
{
    InputEvent event;
    event.type = InputEvent::ButtonPress;
    event.button = button;
    event.pos = pos;
    event.time = time;
    send(event);
}

void FakeInputEventSource::release(int button, const QPoint& pos, quint32 time)
{
    InputEvent event;
    event.type = InputEvent::ButtonRelease;
    event.button = button;
    event.pos = pos;
    event.time = time;
    send(event);
}

void FakeInputEventSource::move(const QPoint& pos, quint32 time)
{
    InputEvent event;
    event.type = InputEvent::Motion;
    event.pos = pos;
    event.time = time;
    send(event);
}

void FakeInputEventSource::keyDown(int key, quint32 time)
{
    InputEvent event;
    event.type = InputEvent::KeyPress;
    event.key = key;
    event.time = time;
    send(event);
}

void FakeInputEventSource::keyUp(int key, quint32 time)
{
    InputEvent event;
    event.type = InputEvent::KeyRelease;
    event.key = key;
    event.time = time;
    send(event);
}
