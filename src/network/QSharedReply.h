#pragma once

#include "network/CallHandle.h"

#include <QObject>
#include <QSharedPointer>

// Holds the one pending call of a kind: a newer call of the same kind cancels the older one.
class QSharedReply : public QObject
{
public:
    explicit QSharedReply(QObject* parent = nullptr);
    ~QSharedReply() override;

    // Cancels the call held so far, then holds the new one.
    void setReply(QSharedPointer<CallHandle> reply);
    // cancel true: the held call is stopped and its callback never runs. In every case the
    // slot forgets it; a call's own callback passes false.
    void abort(bool cancel);

private:
    QSharedPointer<CallHandle> reply;
};
