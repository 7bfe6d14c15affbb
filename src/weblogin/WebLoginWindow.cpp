#include "weblogin/WebLoginWindow.h"

#include <QCoreApplication>
#include <QQmlContext>
#include <QQuickWindow>

#include <cstdio>
#include <unistd.h>

namespace {

// Queued: a quit asked for while the web engine still starts up, before the event loop runs or
// inside a nested one, would otherwise be lost and leave the program running for good.
void quitSoon()
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}

} // namespace

WebLoginWindow::WebLoginWindow(QObject* parent)
    : QObject(parent), m_input(STDIN_FILENO, QSocketNotifier::Read)
{
    connect(&m_input, &QSocketNotifier::activated, this, &WebLoginWindow::readCommands);
}

bool WebLoginWindow::show(const QVariantMap& settings)
{
    m_engine.rootContext()->setContextProperty(QStringLiteral("$login"), this);
    m_engine.rootContext()->setContextProperty(QStringLiteral("$settings"), settings);
    m_engine.load(QUrl(QStringLiteral("qrc:/weblogin/WebLoginWindow.qml")));
    return !m_engine.rootObjects().isEmpty();
}

void WebLoginWindow::handBack(const QString& address)
{
    if (m_handedBack)
        return;
    m_handedBack = true;
    std::fprintf(stdout, "code %s\n", address.toUtf8().constData());
    std::fflush(stdout);
    quitSoon();
}

void WebLoginWindow::readCommands()
{
    char buffer[256];
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count <= 0) {
        // the client is gone, or closed the window
        m_input.setEnabled(false);
        quitSoon();
        return;
    }
    m_pending.append(buffer, static_cast<int>(count));
    int end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QByteArray command = m_pending.left(end).trimmed();
        m_pending.remove(0, end + 1);
        if (command != "raise")
            continue;
        for (QObject* root : m_engine.rootObjects()) {
            if (auto* window = qobject_cast<QQuickWindow*>(root)) {
                window->showNormal();
                window->raise();
                window->requestActivate();
            }
        }
    }
}
