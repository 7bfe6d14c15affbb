#pragma once

#include "platform/InputEventSource.h"

#include <QScopedPointer>
#include <QSocketNotifier>

#include <cstdint>

struct xcb_connection_t;
struct _XCBKeySymbols;
class X11SelectionReader;

// Desktop input through the X RECORD extension. Recording blocks the connection it runs on, so it
// gets a connection of its own, read only when the server has sent something: no timers, no
// wake-ups while mouse and keyboard are idle. A second connection of our own hears who takes
// PRIMARY (XFixes) and when the keyboard map changes. Look-ups and the selection use Qt's
// connection.
class X11InputEventSource : public InputEventSource
{
    Q_OBJECT
public:
    explicit X11InputEventSource(QObject* parent = nullptr);
    ~X11InputEventSource() override;

    bool isSupported() const override { return supported; }
    WId windowAt(const QPoint& pos) override;
    QString selectionText() override;
    bool selectionChangedSince(quint32 time) override;

protected:
    void start() override;
    void stop() override;

private:
    bool openRecording();
    void openWatching();
    void readRecorded();
    void readWatched();
    void translate(const std::uint8_t* data, int length);
    bool hasWmState(std::uint32_t window);
    void reportUnsupported(const QString& why);

    bool supported = false;
    xcb_connection_t* recording = nullptr;
    unsigned int enableSequence = 0;
    QScopedPointer<QSocketNotifier> notifier;
    xcb_connection_t* watching = nullptr;
    QScopedPointer<QSocketNotifier> watchNotifier;
    std::uint8_t xfixesFirstEvent = 0;
    bool selectionWatched = false;
    bool selectionChangeSeen = false;
    std::uint32_t selectionChangedAt = 0;
    _XCBKeySymbols* keySymbols = nullptr;
    QScopedPointer<X11SelectionReader> selectionReader;
    std::uint32_t wmStateAtom = 0;
};
