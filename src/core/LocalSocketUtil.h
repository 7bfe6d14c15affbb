#pragma once

#include <QObject>

class QLocalServer;
class QLocalSocket;

// A per-user local-socket server that turns each incoming connection into one message,
// and the one-shot sender that talks to it.
class LocalSocketUtil : public QObject
{
    Q_OBJECT
public:
    explicit LocalSocketUtil(const QString& serverName);
    ~LocalSocketUtil() override;

    // False when another live server answers on the name (it is left alone) or listening failed.
    bool isListening() const;

    // Connects, writes the message as UTF-8 and closes. False, with the reason in *error,
    // when the message could not be delivered within timeout milliseconds per step.
    static bool quickSend(const QString& serverName, const QString& message, const int& timeout,
                          QString* error = nullptr);

    // The socket path behind a server name.
    static QString serverPath(const QString& serverName);

    // Stops every server of this process, so that a process started next can take the names.
    static void closeAllServers();

signals:
    void newMessage(QString msg);

private:
    void onNewConnection();
    void receive(QLocalSocket* connection);

    int m_timeout = 5000;
    QLocalServer* m_server = nullptr;
};
