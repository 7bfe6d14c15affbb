#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <cstdint>

// Whether a compositing manager runs on the X screen: it owns the "_NET_WM_CM_S<screen>" selection.
// Followed as one starts or stops. Without X (offscreen, Wayland) windows count as composited.
class CompositingWatch : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    explicit CompositingWatch(QObject* parent = nullptr);
    ~CompositingWatch() override;

    bool running() const { return m_running; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, long* result) override;

signals:
    void runningChanged(bool running);

private:
    bool m_running = true;
    std::uint32_t m_selection = 0;
    std::uint8_t m_fixesEventBase = 0;
    bool m_watching = false;
};
