#pragma once

#include "core/Debounce.h"
#include "platform/InputEventSource.h"

#include <QObject>
#include <QPointer>

// Watches the whole desktop's mouse, recognises a text selection just made by dragging in another
// program, and announces it 80 ms after the last qualifying release. It only ever observes events:
// nothing is swallowed or sent to the other program.
class WinCopyTransListener : public QObject
{
    Q_OBJECT
public:
    // A paused listener reports presses and wheel turns but never drags, releases or copies.
    // Null picks the platform's own event source.
    explicit WinCopyTransListener(bool paused, InputEventSource* source = nullptr, QObject* parent = nullptr);
    ~WinCopyTransListener() override;

    bool isSupported() const;
    // The current selection's text (also the quick search's copy step).
    QString selectionText() const;

    // Whether a drag of (dx, dy) pixels held for dt milliseconds selected something.
    static bool isSelection(quint32 dt, int dx, int dy);

signals:
    void mouseWheel();
    void mouseUp();
    void mouseDown();
    void mouseDrag();
    void startCopy();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onInputEvent(const InputEvent& event);
    void onPress(const QPoint& pos, quint32 time);
    void onMove(const QPoint& pos);
    void onRelease(const QPoint& pos, quint32 time);
    void copySelection();
    static bool isQuickTransWindow(WId window);

    QPointer<InputEventSource> source;
    Debounce debounce{80};
    quint32 downTime = 0;
    // The desktop's events arrive on their own connection, possibly after the pop-up's own click
    // has hidden it: a press the pop-up received is recognised by its server time.
    quint32 popupPressTime = 0;
    bool popupPressed = false;
    bool dragging = false;
    bool buttonDown = false;
    WId downWindow = 0;
    int downX = 0;
    int downY = 0;
    int dx = 0;
    int dy = 0;
    const bool paused;
};
