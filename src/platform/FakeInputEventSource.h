#pragma once

#include "platform/InputEventSource.h"

#include <QList>
#include <QPair>
#include <QRect>

// A desktop the tests script: windows as rectangles, events with their own times.
class FakeInputEventSource : public InputEventSource
{
    Q_OBJECT
public:
    explicit FakeInputEventSource(QObject* parent = nullptr);

    bool isSupported() const override { return supported; }
    WId windowAt(const QPoint& pos) override;
    QString selectionText() override;
    bool selectionChangedSince(quint32 time) override;

    void setSupported(bool value) { supported = value; }
    void addWindow(const QRect& rect, WId window); // later windows lie above earlier ones
    // The selection's text, and the event time at which it last changed hands; without a time
    // the desktop cannot tell when it changed.
    void setSelection(const QString& text);
    void setSelection(const QString& text, quint32 changedAt);
    int selectionReads() const { return reads; }
    bool isRunning() const { return running; }

    // Events reach users only while the source runs, as on a real desktop.
    void send(const InputEvent& event);
    void press(int button, const QPoint& pos, quint32 time) { send(InputEvent::ButtonPress, button, 0, pos, time); }
    void release(int button, const QPoint& pos, quint32 time) { send(InputEvent::ButtonRelease, button, 0, pos, time); }
    void move(const QPoint& pos, quint32 time) { send(InputEvent::Motion, 0, 0, pos, time); }
    void keyDown(int key, quint32 time) { send(InputEvent::KeyPress, 0, key, {}, time); }
    void keyUp(int key, quint32 time) { send(InputEvent::KeyRelease, 0, key, {}, time); }

protected:
    void start() override { running = true; }
    void stop() override { running = false; }

private:
    void send(InputEvent::Type type, int button, int key, const QPoint& pos, quint32 time);

    bool supported = true;
    bool running = false;
    int reads = 0;
    QString selection;
    bool changeKnown = false;
    quint32 changedAt = 0;
    QList<QPair<QRect, WId>> windows;
};
