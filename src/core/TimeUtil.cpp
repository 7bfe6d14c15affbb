#include "core/TimeUtil.h"

#include <QDateTime>

#include <atomic>

// Atomic because the crash handler's thread may read the clock.
static std::atomic<qint64> s_offsetMSecs{0};

quint32 TimeUtil::currentTimestamp()
{
    return static_cast<quint32>(currentMSecsSinceEpoch() / 1000);
}

qint64 TimeUtil::currentMSecsSinceEpoch()
{
    return QDateTime::currentMSecsSinceEpoch() + s_offsetMSecs.load();
}

QString TimeUtil::currentDateTimeString(const QString& format)
{
    return QDateTime::currentDateTime().addMSecs(s_offsetMSecs.load()).toString(format);
}

void TimeUtil::setOffsetMSecs(qint64 msecs)
{
    s_offsetMSecs.store(msecs);
}

qint64 TimeUtil::offsetMSecs()
{
    return s_offsetMSecs.load();
}
