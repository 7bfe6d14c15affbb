#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// Runs the last job given to it once its interval has passed without a newer run().
// GUI thread only; the job runs from the event loop, never inside run().
class Debounce : public QObject
{
    Q_OBJECT
public:
    explicit Debounce(int interval = 500, QObject* parent = nullptr);
    ~Debounce() override;

    void run(std::function<void()> job); // replaces any pending job and restarts the interval
    void stop();                         // drops the pending job, if any
    bool isIdle() const;                 // true when no job is pending
    void setTimerType(Qt::TimerType type) { timer.setTimerType(type); }

private:
    void fire();

    QTimer timer;
    std::function<void()> pendingJob;
};
