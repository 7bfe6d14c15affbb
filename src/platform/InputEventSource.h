#pragma once

#include "platform/InputEvent.h"

#include <QObject>
#include <QPoint>
#include <QWindow>

// Every mouse and keyboard event of the desktop, observed and never swallowed, plus the desktop
// look-ups that a selection needs: the program window under a point, whether the selection
// changed hands, and its text.
class InputEventSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The source for this session's display server, created on first use and owned by the
    // application object. On a platform without a back end it stays unsupported.
    static InputEventSource* system();
    // Makes system() answer with the given source (not owned) until it is reset with null.
    static void setSystem(InputEventSource* source);

    virtual bool isSupported() const = 0;
    // The top-level window of a program under a screen point (what QWindow::winId() gives for
    // our own windows), or 0.
    virtual WId windowAt(const QPoint& pos) = 0;
    // The text of the selection a drag just made, read from the program that holds it without
    // sending it keys and without writing the clipboard; empty when there is none.
    virtual QString selectionText() = 0;
    // Whether the selection changed hands at or after an event time: a drag that selected
    // nothing leaves an older selection in place. A desktop that cannot tell answers true.
    virtual bool selectionChangedSince(quint32 time) = 0;

    // Users count: events flow while at least one user has acquired the source.
    void acquire();
    void release();
    bool isActive() const { return users > 0; }

signals:
    void inputEvent(const InputEvent& event);

protected:
    virtual void start() = 0;
    virtual void stop() = 0;
    // Fills in the Ctrl state and emits; back ends call this for every event they see.
    void deliver(InputEvent event);

private:
    int users = 0;
    // Tracked from the stream itself: the two Ctrl keys apart, so releasing one while the other
    // is held keeps Ctrl down, and auto-repeat presses change nothing.
    bool leftCtrlDown = false;
    bool rightCtrlDown = false;
};
