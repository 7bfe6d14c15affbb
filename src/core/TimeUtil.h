#pragma once

#include <QString>
#include <QtGlobal>

// The program's clock. Every "now" goes through here so that tests can move time forward
// (day-long cache ages, half-day report gates) without waiting.
class TimeUtil
{
public:
    static quint32 currentTimestamp();                          // UTC seconds since 1970
    static qint64 currentMSecsSinceEpoch();                     // UTC milliseconds since 1970
    static QString currentDateTimeString(const QString& format); // local time, Qt date-time format

    // Test seam: shifts every value above by the given milliseconds; 0 is the real clock.
    static void setOffsetMSecs(qint64 msecs);
    static qint64 offsetMSecs();
};
