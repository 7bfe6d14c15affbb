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

QString FakeInputEventSource::selectionText()
{
    ++reads;
    return selection;
}

bool FakeInputEventSource::selectionChangedSince(quint32 time)
{
    return !changeKnown || qint32(changedAt - time) >= 0;
}

void FakeInputEventSource::setSelection(const QString& text)
{
    selection = text;
    changeKnown = false;
}

void FakeInputEventSource::setSelection(const QString& text, quint32 time)
{
    selection = text;
    changeKnown = true;
    changedAt = time;
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

void FakeInputEventSource::send(InputEvent::Type type, int button, int key, const QPoint& pos, quint32 time)
{
    InputEvent event;
    event.type = type;
    event.button = button;
    event.key = key;
    event.pos = pos;
    event.time = time;
    send(event);
}
