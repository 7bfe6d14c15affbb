#include "core/Log.h"

#include "core/AppConfig.h"
#include "core/TimeUtil.h"
#include "core/Util.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>

static bool logEnabled()
{
    return !AppConfig::logFile().isEmpty();
}

static void writeLine(const QString& text)
{
    static QMutex mutex; // the crash handler's thread logs too
    QMutexLocker locker(&mutex);
    QFile file(AppConfig::logFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    file.write((TimeUtil::currentDateTimeString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz ")) + text + '\n').toUtf8());
}

void log(const QString& message)
{
    if (logEnabled())
        writeLine(message);
}

void log(const QString& format, const QString& a1)
{
    if (logEnabled())
        writeLine(format.arg(a1));
}

void log(const QString& format, const QString& a1, const QString& a2)
{
    if (logEnabled())
        writeLine(format.arg(a1, a2));
}

void log(const QString& format, const QString& a1, const QString& a2, const QString& a3)
{
    if (logEnabled())
        writeLine(format.arg(a1, a2, a3));
}

void log(const QString& format, const QString& a1, const QString& a2, const QString& a3, const QString& a4)
{
    if (logEnabled())
        writeLine(format.arg(a1, a2, a3, a4));
}

void log(const QString& format, const QString& a1, const QString& a2, const QString& a3, const QString& a4,
         const QString& a5)
{
    if (logEnabled())
        writeLine(format.arg(a1, a2, a3, a4, a5));
}

void log(const QString& message, const QVariantMap& data)
{
    if (logEnabled())
        writeLine(message + ' ' + mapToJson(data));
}
