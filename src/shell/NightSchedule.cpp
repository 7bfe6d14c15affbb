#include "shell/NightSchedule.h"

static QDateTime nextAt(const QDateTime& now, int hour)
{
    QDateTime at(now.date(), QTime(hour, 0), now.timeSpec());
    if (at <= now)
        at = QDateTime(now.date().addDays(1), QTime(hour, 0), now.timeSpec());
    return at;
}

NightSchedule::Phase NightSchedule::at(const QDateTime& now, int startHour, int endHour)
{
    const QTime time = now.time();
    const QTime start(startHour, 0);
    const QTime end(endHour, 0);
    const bool dark = startHour < endHour ? (start <= time && time < end) : (time >= start || time < end);
    return {dark, now.msecsTo(nextAt(now, startHour)), now.msecsTo(nextAt(now, endHour))};
}
