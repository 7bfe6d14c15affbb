#include "TestMain.h"
#include "platform/LowDelaySockets.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace {

bool noDelay(qintptr fd)
{
    int on = 0;
    socklen_t length = sizeof(on);
    return getsockopt(int(fd), IPPROTO_TCP, TCP_NODELAY, &on, &length) == 0 && on;
}

} // namespace

class TestLowDelaySockets : public QObject
{
    Q_OBJECT
private slots:
    // Both ends of a TCP connection are switched, once; a local socket beside them is left as it is.
    void switchesEveryTcpConnectionOnce()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, server.serverPort());
        QVERIFY(client.waitForConnected(5000));
        QVERIFY(server.waitForNewConnection(5000));
        QTcpSocket* accepted = server.nextPendingConnection();
        QVERIFY(accepted);

        const QString name = QStringLiteral("lowdelay-%1").arg(QCoreApplication::applicationPid());
        QLocalServer local;
        QVERIFY(local.listen(name));
        QLocalSocket localClient;
        localClient.connectToServer(name);
        QVERIFY(localClient.waitForConnected(5000));

        QVERIFY(!noDelay(client.socketDescriptor()));
        QVERIFY(!noDelay(accepted->socketDescriptor()));
        QVERIFY(LowDelaySockets::apply() >= 2);
        QVERIFY(noDelay(client.socketDescriptor()));
        QVERIFY(noDelay(accepted->socketDescriptor()));
        QCOMPARE(LowDelaySockets::apply(), 0);

        // the connection still carries data both ways
        client.write("ping");
        QVERIFY(client.waitForBytesWritten(5000));
        QVERIFY(accepted->bytesAvailable() > 0 || accepted->waitForReadyRead(5000));
        QCOMPARE(accepted->readAll(), QByteArray("ping"));
        QCOMPARE(localClient.state(), QLocalSocket::ConnectedState);
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestLowDelaySockets)
#include "tst_LowDelaySockets.moc"
