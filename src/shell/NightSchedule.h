#pragma once

#include <QDateTime>

// The night theme: dark from startHour until endHour (local time), across midnight when
// endHour is not after startHour, every day.
class NightSchedule
{
public:
    struct Phase
    {
        bool dark;
        qint64 msToNextStart; // > 0
        qint64 msToNextEnd;   // > 0
    };

    static Phase at(const QDateTime& now, int startHour, int endHour);
};
