#include "AppProcess.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QtTest>

bool AppProcess::start(const QProcessEnvironment& environment, const QStringList& arguments)
{
    return m_xdg.isValid()
        && m_process.start(QStringLiteral(PARLAVINE_BINARY), arguments, m_xdg.environment(environment));
}

bool AppProcess::waitForWindow(const QString& title, int timeoutMs)
{
    const QStringList search = {"search", "--all", "--pid", QString::number(m_process.pid()), "--name",
                                QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')};
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired() && m_process.isRunning()) {
        QProcess xdotool;
        xdotool.start(QStringLiteral("xdotool"), search);
        if (xdotool.waitForFinished(5000) && xdotool.exitCode() == 0 && !xdotool.readAllStandardOutput().isEmpty())
            return true;
        QTest::qWait(100);
    }
    return false;
}

int AppProcess::stop(int timeoutMs)
{
    return m_process.stop(timeoutMs);
}
