#pragma once

#include "platform/InputEventSource.h"

#include <QScopedPointer>
#include <QSocketNotifier>

#include <cstdint>

struct xcb_connection_t;
struct _XCBKeySymbols;

// Desktop input through the X RECORD extension. Recording blocks the connection it runs on, so it
// gets a connection of its own, read only when the server has sent something: no timers, no
// wake-ups while mouse and keyboard are idle. Look-ups and the clipboard use Qt's connection.
class X11InputEventSource : public InputEventSource
{
    Q_OBJECT
public:
    explicit X11InputEventSource(QObject* parent = nullptr);
    ~X11InputEventSource() override;

    bool isSupported() const override { return supported; }
    WId windowAt(const QPoint& pos) override;
    void copySelection() override;

protected:
    void start() override;
    void stop() override;

private:
    bool openRecording();
    void readRecorded();
    void translate(const std::uint8_t* data, int length);
    bool hasWmState(std::uint32_t window);
    void reportUnsupported(const QString& why);

    bool supported = false;
    xcb_connection_t* recording = nullptr;
    unsigned int enableSequence = 0;
    QScopedPointer<QSocketNotifier> notifier;
    _XCBKeySymbols* keySymbols = nullptr;
    std::uint32_t wmStateAtom = 0;
};
