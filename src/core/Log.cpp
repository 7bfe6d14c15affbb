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

// Arguments carry what the user typed and what the server answered: the log keeps only a start,
// enough to follow what happened.
static QString clipped(const QString& text)
{
    constexpr int Kept = 120;
    if (text.size() <= Kept)
        return text;
    const int cut = text.at(Kept - 1).isHighSurrogate() ? Kept - 1 : Kept;
    return text.left(cut) + QStringLiteral("...(%1 chars)").arg(text.size());
}

static void writeLine(const QString& text)
{
    static QMutex mutex; // the crash handler's thread logs too
    QMutexLocker locker(&mutex);
    QFile file(AppConfig::logFile());
    const bool created = !file.exists();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    // It holds pieces of the user's texts: for the user's eyes only.
    if (created)
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
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
        writeLine(format.arg(clipped(a1)));
}

void log(const QString& format, const QString& a1, const QString& a2)
{
    if (logEnabled())
        writeLine(format.arg(clipped(a1), clipped(a2)));
}

void log(const QString& format, const QString& a1, const QString& a2, const QString& a3)
{
    if (logEnabled())
        writeLine(format.arg(clipped(a1), clipped(a2), clipped(a3)));
}

void log(const QString& format, const QString& a1, const QString& a2, const QString& a3, const QString& a4)
{
    if (logEnabled())
        writeLine(format.arg(clipped(a1), clipped(a2), clipped(a3), clipped(a4)));
}

void log(const QString& format, const QString& a1, const QString& a2, const QString& a3, const QString& a4,
         const QString& a5)
{
    if (logEnabled())
        writeLine(format.arg(clipped(a1), clipped(a2), clipped(a3), clipped(a4), clipped(a5)));
}

void log(const QString& message, const QVariantMap& data)
{
    if (logEnabled())
        writeLine(message + ' ' + clipped(mapToJson(data)));
}

QString redacted(const QString& secret)
{
    return secret.isEmpty() ? QStringLiteral("empty") : QStringLiteral("set");
}
