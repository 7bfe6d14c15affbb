#include "AppProcess.h"

#include "core/State.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QSettings>
#include <QtTest>

bool AppProcess::start(const QProcessEnvironment& environment, const QStringList& arguments)
{
    QProcessEnvironment logged = m_xdg.environment(environment);
    if (!logged.contains(QStringLiteral("PARLAVINE_LOG_FILE")))
        logged.insert(QStringLiteral("PARLAVINE_LOG_FILE"), logFile());
    return m_xdg.isValid() && m_process.start(QStringLiteral(PARLAVINE_BINARY), arguments, logged);
}

bool AppProcess::waitForWindow(const QString& title, int timeoutMs)
{
    const QStringList criteria = {"--all", "--pid", QString::number(m_process.pid()), "--name",
                                  QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')};
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired() && m_process.isRunning()) {
        if (!ChildProcess::findWindows(criteria, 5000).isEmpty())
            return true;
        QTest::qWait(100);
    }
    return false;
}

int AppProcess::stop(int timeoutMs)
{
    return m_process.stop(timeoutMs);
}

void AppProcess::rememberQuitStyle(const QString& style) const
{
    QSettings settings(m_xdg.configHome() + QStringLiteral("/Parlavine/settings.ini"), QSettings::IniFormat);
    settings.setValue("quitStyle", QStringLiteral("%1_%2_%3")
                                       .arg(State::instance()->version(), style)
                                       .arg(QDateTime::currentSecsSinceEpoch()));
}

QString AppProcess::mainWindow()
{
    return visibleWindow(QStringLiteral("^Parlavine$"));
}

QString AppProcess::visibleWindow(const QString& titlePattern)
{
    return ChildProcess::findWindows({"--all", "--onlyvisible", "--pid", QString::number(m_process.pid()), "--name",
                                      titlePattern})
        .section(QLatin1Char('\n'), 0, 0);
}

bool AppProcess::waitForVisibleWindow(const QString& titlePattern, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (visibleWindow(titlePattern).isEmpty() && !deadline.hasExpired())
        QTest::qWait(50);
    return !visibleWindow(titlePattern).isEmpty();
}

bool AppProcess::clickCloseButton()
{
    const QString window = mainWindow();
    const QRegularExpressionMatch size =
        QRegularExpression("Geometry: (\\d+)x(\\d+)").match(ChildProcess::output("xdotool", {"getwindowgeometry", window}));
    if (window.isEmpty() || !size.hasMatch())
        return false;
    // The close button sits in the top-right corner, inside the 5-pixel shadow margin.
    const int x = size.captured(1).toInt() - 30;
    ChildProcess::output("xdotool", {"mousemove", "--window", window, QString::number(x), "20", "click", "1"});
    return true;
}
