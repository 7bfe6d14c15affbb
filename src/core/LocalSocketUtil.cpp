#include "core/LocalSocketUtil.h"

#include "core/Log.h"
#include "platform/UserRuntimeDir.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QSet>
#include <QTimer>

#include <memory>

namespace {
QSet<QLocalServer*>& liveServers()
{
    static QSet<QLocalServer*> servers;
    return servers;
}

bool someoneAnswers(const QString& path)
{
    QLocalSocket probe;
    probe.connectToServer(path);
    return probe.waitForConnected(1000);
}
} // namespace

LocalSocketUtil::LocalSocketUtil(const QString& serverName) : m_server(new QLocalServer)
{
    const QString path = serverPath(serverName);
    // Removing the name of a live server would cut its owner off; only a stale file goes.
    if (someoneAnswers(path)) {
        log(QStringLiteral("LocalSocketUtil: another server answers on %1"), path);
    } else {
        QLocalServer::removeServer(path);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        if (!m_server->listen(path))
            log(QStringLiteral("LocalSocketUtil: cannot listen on %1: %2"), path, m_server->errorString());
    }
    liveServers().insert(m_server);
    connect(m_server, &QLocalServer::newConnection, this, &LocalSocketUtil::onNewConnection);
    log(QStringLiteral("LocalSocketUtil init"));
}

LocalSocketUtil::~LocalSocketUtil()
{
    liveServers().remove(m_server);
    m_server->disconnect();
    m_server->close();
    delete m_server;
}

bool LocalSocketUtil::isListening() const
{
    return m_server->isListening();
}

QString LocalSocketUtil::serverPath(const QString& serverName)
{
    return UserRuntimeDir::path() + QLatin1Char('/') + serverName;
}

void LocalSocketUtil::closeAllServers()
{
    for (QLocalServer* server : liveServers())
        server->close();
}

bool LocalSocketUtil::quickSend(const QString& serverName, const QString& message, const int& timeout,
                                QString* error)
{
    log(QStringLiteral("LocalSocketUtil quickSend"));
    QLocalSocket socket;
    socket.connectToServer(serverPath(serverName));
    bool delivered = socket.waitForConnected(timeout);
    if (delivered) {
        socket.write(message.toUtf8());
        while (delivered && socket.bytesToWrite() > 0)
            delivered = socket.waitForBytesWritten(timeout);
    }
    if (!delivered && error)
        *error = socket.errorString();
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(timeout);
    return delivered;
}

void LocalSocketUtil::onNewConnection()
{
    log(QStringLiteral("LocalSocketUtil newConnection"));
    while (QLocalSocket* connection = m_server->nextPendingConnection())
        receive(connection);
}

// The message is whatever arrives until the sender closes; a sender that stays silent is cut
// off after the timeout with what it sent so far.
void LocalSocketUtil::receive(QLocalSocket* connection)
{
    auto received = std::make_shared<QByteArray>();
    auto finished = std::make_shared<bool>(false);
    QPointer<LocalSocketUtil> self(this);
    const auto finish = [connection, received, finished, self] {
        if (*finished)
            return;
        *finished = true;
        received->append(connection->readAll());
        connection->disconnect();
        connection->abort();
        connection->deleteLater();
        if (self)
            emit self->newMessage(QString::fromUtf8(*received));
    };
    connect(connection, &QLocalSocket::readyRead, connection, [connection, received] {
        received->append(connection->readAll());
    });
    connect(connection, &QLocalSocket::disconnected, connection, finish);
    QTimer::singleShot(m_timeout, connection, finish);
    if (connection->state() != QLocalSocket::ConnectedState)
        finish();
}
