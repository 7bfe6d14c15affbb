#include "account/SocialLoginProcess.h"

#include "account/UserLoginCtrl.h"
#include "core/AppConfig.h"
#include "core/Hud.h"
#include "core/State.h"

#include <QTimer>

namespace {

// Said where the user looks: the login window they came from, or the main window.
void sayWhy(const QString& message)
{
    const QString window = State::instance()->showLoginWindow() ? QStringLiteral("login") : QStringLiteral("main");
    Hud::warning(SocialLoginProcess::tr("无法打开社交登录窗口"), message, window);
}

} // namespace

SocialLoginProcess::SocialLoginProcess(QObject* parent) : QObject(parent)
{
    connect(State::instance(), &State::showSocailLoginWindowChange, this, &SocialLoginProcess::follow);
}

SocialLoginProcess::~SocialLoginProcess()
{
    // at quit: a window still open goes with the client, given the time to close its web engine
    for (QProcess* process : findChildren<QProcess*>()) {
        process->disconnect(this);
        process->closeWriteChannel();
        process->waitForFinished(3000);
    }
}

QStringList SocialLoginProcess::arguments()
{
    const State* state = State::instance();
    const QVariantMap colours = state->windowColor();
    QStringList arguments{
        QStringLiteral("--host"), state->webLinks().value(QStringLiteral("loginWeb")).toString(),
        QStringLiteral("--language"), state->language() == QLatin1String("en") ? QStringLiteral("en-US") : QStringLiteral("zh-CN"),
        QStringLiteral("--auto"), state->autoLoginChecked() ? QStringLiteral("true") : QStringLiteral("false"),
        QStringLiteral("--title"), tr("社交登录"),
        QStringLiteral("--heading"), tr("扫码登录"),
        QStringLiteral("--background"), colours.value(QStringLiteral("contentBG")).toString(),
        QStringLiteral("--text-color"), colours.value(QStringLiteral("h1Text")).toString(),
        QStringLiteral("--accent"), colours.value(QStringLiteral("mainBtnNormal")).toString()};
    if (state->appThemeStyle() == QLatin1String("blackwhite"))
        arguments << QStringLiteral("--blackwhite");
    return arguments;
}

void SocialLoginProcess::follow()
{
    const bool wanted = State::instance()->showSocailLoginWindow();
    if (!wanted) {
        closeWindow();
        return;
    }
    if (m_process)
        m_process->write("raise\n");
    else
        start();
}

void SocialLoginProcess::start()
{
    m_output.clear();
    m_handedBack = false;
    m_sandboxRefused = false;
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &SocialLoginProcess::readOutput);
    connect(m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &SocialLoginProcess::finish);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        const QString program = m_process->program();
        m_process->deleteLater();
        m_process = nullptr;
        State::instance()->setShowSocailLoginWindow(false);
        sayWhy(tr("找不到或无法运行程序 %1。").arg(program));
    });
    m_process->start(AppConfig::webLoginProgram(), arguments());
}

void SocialLoginProcess::readOutput()
{
    m_output += m_process->readAllStandardOutput();
    int end;
    while ((end = m_output.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(m_output.left(end));
        m_output.remove(0, end + 1);
        if (line.startsWith(QLatin1String("code ")) && !m_handedBack) {
            m_handedBack = true;
            UserLoginCtrl::handOverWebLogin(line.mid(5));
        } else if (line == QLatin1String("error sandbox")) {
            m_sandboxRefused = true;
        }
    }
}

void SocialLoginProcess::finish(int exitCode, QProcess::ExitStatus status)
{
    readOutput();
    m_process->deleteLater();
    m_process = nullptr;
    State* state = State::instance();
    if (state->showSocailLoginWindow())
        state->setShowSocailLoginWindow(false);
    if (m_handedBack || (status == QProcess::NormalExit && exitCode == 0))
        return;
    if (m_sandboxRefused)
        sayWhy(tr("以 root 身份运行时，网页组件需要环境变量 QTWEBENGINE_DISABLE_SANDBOX=1。"));
    else
        sayWhy(tr("网页组件未能启动，社交登录窗口已关闭。"));
}

// The end of its input closes the window; one that does not go is ended.
void SocialLoginProcess::closeWindow()
{
    if (!m_process)
        return;
    QProcess* process = m_process;
    m_process = nullptr;
    process->disconnect(this);
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), process, &QObject::deleteLater);
    process->closeWriteChannel();
    QTimer::singleShot(3000, process, &QProcess::kill);
}
