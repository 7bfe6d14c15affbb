#pragma once

#include <QNetworkReply>
#include <QSharedPointer>

// One call of the API client across all its attempts (retries, re-sends after a session
// renewal). Cancelling it aborts the attempt on the wire and stops every later one, so the
// call's callback never runs.
class CallHandle
{
public:
    void cancel();
    bool isCancelled() const { return cancelled; }
    // The attempt on the wire, or the last one once the call has ended.
    QSharedPointer<QNetworkReply> reply() const { return current; }
    bool isRunning() const { return !cancelled && !current.isNull() && current->isRunning(); }

    void setReply(QSharedPointer<QNetworkReply> reply) { current = std::move(reply); }

private:
    QSharedPointer<QNetworkReply> current;
    bool cancelled = false;
};
