#pragma once

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

// The social-login window, run as a program of its own (AppConfig::webLoginProgram()) while
// State's showSocailLoginWindow is set, so that the client never loads the web engine. The code
// address it hands back logs the user in; a window that could not open or run says why.
class SocialLoginProcess : public QObject
{
    Q_OBJECT
public:
    explicit SocialLoginProcess(QObject* parent = nullptr);
    ~SocialLoginProcess() override;

private:
    // The window's arguments: the service's page and the client's words and colours.
    static QStringList arguments();
    void follow();
    void start();
    void readOutput();
    void finish(int exitCode, QProcess::ExitStatus status);
    void closeWindow();

    QProcess* m_process = nullptr;
    QByteArray m_output;
    bool m_handedBack = false;
    bool m_sandboxRefused = false;
};
