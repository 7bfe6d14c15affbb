#pragma once

#include <QProcess>
#include <QStringList>

// A program started by a test and stopped the way a session ends it: SIGTERM, then wait.
class ChildProcess
{
public:
    ChildProcess();
    ~ChildProcess();   // kills a process still running

    bool start(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
               int timeoutMs = 10000);
    bool isRunning() const { return m_process.state() == QProcess::Running; }
    qint64 pid() const { return m_process.processId(); }
    // One line of standard output (without its end), or an empty text after the timeout.
    QByteArray readLine(int timeoutMs);
    // SIGTERM, then waits: the exit code, or -1 when it crashed or had to be killed.
    int stop(int timeoutMs = 10000);
    // Waits for the program to end by itself: the exit code, or -1 when it crashed or is still running.
    int waitForExit(int timeoutMs = 10000);
    // Standard error so far, for failure messages.
    QByteArray errorOutput();

    // Runs a short program (xdotool, import) to its end: its standard output, trimmed.
    static QString output(const QString& program, const QStringList& arguments, int timeoutMs = 20000);
    // The windows `xdotool search <criteria>` finds, one id per line. A search dies of an X error
    // when a window it looks at goes away meanwhile (a pop-up closing), which would read as "no
    // window": it is asked again then.
    static QString findWindows(const QStringList& criteria, int timeoutMs = 20000);

private:
    QProcess m_process;
    QByteArray m_errors;
};
