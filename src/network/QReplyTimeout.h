#pragma once

#include <QNetworkReply>
#include <QObject>
#include <QSharedPointer>
#include <QTimer>

// Ends a reply that takes too long: the reply's own handlers are dropped without a word and
// timeout() is the one report of that exchange.
class QReplyTimeout : public QObject
{
    Q_OBJECT
public:
    QReplyTimeout(QSharedPointer<QNetworkReply> reply, int timeoutMs);
    ~QReplyTimeout() override;

    bool isArmed() const { return !guarded.isNull(); }
    // A cancelled exchange must stay silent, so its guard lets go of the reply and never fires.
    void disarm();

signals:
    void timeout();

public slots:
    void onTimeout();

private:
    QSharedPointer<QNetworkReply> guarded;
    QTimer timer;
};
