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

    // Each attempt of the call takes the place of the one before.
    void setReply(QSharedPointer<QNetworkReply> reply) { current = std::move(reply); }

private:
    QSharedPointer<QNetworkReply> current;
    bool cancelled = false;
};
