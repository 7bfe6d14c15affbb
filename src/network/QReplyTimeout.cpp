#include "network/QReplyTimeout.h"

QReplyTimeout::QReplyTimeout(QSharedPointer<QNetworkReply> reply, int timeoutMs)
{
    // Replies of the manager always have a parent; anything else is not ours to time out.
    if (timeoutMs <= 0 || reply.isNull() || !reply->isRunning() || !reply->parent())
        return;
    guarded = reply;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &QReplyTimeout::onTimeout);
    timer.start(timeoutMs);
}

QReplyTimeout::~QReplyTimeout()
{
    disconnect();
}

void QReplyTimeout::disarm()
{
    timer.stop();
    guarded.clear();
    disconnect();
}

void QReplyTimeout::onTimeout()
{
    if (guarded.isNull())
        return;
    // Released before the cancellation notice, so the transport's handler knows this is a
    // timeout and not a cancellation by the owner.
    const QSharedPointer<QNetworkReply> reply = guarded;
    guarded.clear();
    if (reply->isRunning()) {
        emit reply->errorOccurred(QNetworkReply::OperationCanceledError);
        reply->abort();
    }
    emit timeout();
}
