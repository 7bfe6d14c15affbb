#pragma once

#include "ChildProcess.h"
#include "XdgSandbox.h"

// The real parlavine binary for end-to-end tests, with XDG folders of its own, on the X display
// of the test run (DISPLAY, QT_QPA_PLATFORM=xcb: the test's source names PARLAVINE_TEST_NEEDS_DISPLAY).
class AppProcess
{
public:
    // environment: usually StandinProcess::environment(QProcessEnvironment::systemEnvironment()).
    bool start(const QProcessEnvironment& environment, const QStringList& arguments = QStringList());
    // Polls the X display for a window of this process with exactly this title; false on timeout.
    bool waitForWindow(const QString& title, int timeoutMs = 20000);
    // SIGTERM; the exit code, or -1 when it crashed or hung.
    int stop(int timeoutMs = 10000);
    // Waits for it to end by itself (after its own quit); the exit code, or -1.
    int waitForExit(int timeoutMs = 10000) { return m_process.waitForExit(timeoutMs); }

    // The answer to the quit question, remembered as the client stores it; call before start.
    void rememberQuitStyle(const QString& style) const;
    // The visible main window of this process (an X window id), or empty.
    QString mainWindow();
    // A visible window of this process whose title matches the pattern (an X window id), or empty.
    QString visibleWindow(const QString& titlePattern);
    bool waitForVisibleWindow(const QString& titlePattern, int timeoutMs = 20000);
    // Clicks the close button in the main window's top-right corner; false without a window.
    bool clickCloseButton();

    qint64 pid() const { return m_process.pid(); }
    const XdgSandbox& xdg() const { return m_xdg; }
    // Where the client logs unless the start's environment names another file.
    QString logFile() const { return m_xdg.path() + QStringLiteral("/parlavine.log"); }
    QByteArray errorOutput() { return m_process.errorOutput(); }

private:
    XdgSandbox m_xdg;
    ChildProcess m_process;
};
