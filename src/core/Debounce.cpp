#include "core/Debounce.h"

#include <utility>

Debounce::Debounce(int interval, QObject* parent) : QObject(parent)
{
    timer.setSingleShot(true);
    // A coarse timer may fire 5 % late: 15 ms more before every translation.
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(interval);
    connect(&timer, &QTimer::timeout, this, &Debounce::fire);
}

Debounce::~Debounce()
{
    stop();
}

void Debounce::run(std::function<void()> job)
{
    pendingJob = std::move(job);
    timer.start();
}

void Debounce::stop()
{
    timer.stop();
    pendingJob = nullptr;
}

bool Debounce::isIdle() const
{
    return !timer.isActive();
}

void Debounce::fire()
{
    // Idle before the job runs, so the job may schedule itself again.
    std::function<void()> job = std::move(pendingJob);
    pendingJob = nullptr;
    if (job)
        job();
}
