#include "ChildProcess.h"

#include <QDeadlineTimer>

ChildProcess::ChildProcess() = default;

ChildProcess::~ChildProcess()
{
    if (isRunning()) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool ChildProcess::start(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                         int timeoutMs)
{
    m_process.setProcessEnvironment(environment);
    m_process.start(program, arguments);
    return m_process.waitForStarted(timeoutMs);
}

QByteArray ChildProcess::readLine(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!m_process.canReadLine()) {
        if (deadline.hasExpired() || !m_process.waitForReadyRead(int(deadline.remainingTime())))
            return QByteArray();
    }
    return m_process.readLine().trimmed();
}

int ChildProcess::stop(int timeoutMs)
{
    if (m_process.state() == QProcess::NotRunning)
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    m_process.terminate();
    if (!m_process.waitForFinished(timeoutMs)) {
        m_process.kill();
        m_process.waitForFinished(5000);
        return -1;
    }
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

int ChildProcess::waitForExit(int timeoutMs)
{
    if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(timeoutMs))
        return -1;
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

QByteArray ChildProcess::errorOutput()
{
    m_errors += m_process.readAllStandardError();
    return m_errors;
}

QString ChildProcess::output(const QString& program, const QStringList& arguments, int timeoutMs)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(timeoutMs);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString ChildProcess::findWindows(const QStringList& criteria, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        QProcess process;
        process.start(QStringLiteral("xdotool"), QStringList{QStringLiteral("search")} + criteria);
        process.waitForFinished(int(qMax<qint64>(deadline.remainingTime(), 1)));
        const QString found = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
        if (!process.readAllStandardError().contains("X Error") || deadline.hasExpired())
            return found;
    }
}
