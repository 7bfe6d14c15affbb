#include "network/QSharedReply.h"

QSharedReply::QSharedReply(QObject* parent)
    : QObject(parent)
{
}

QSharedReply::~QSharedReply()
{
    abort(true);
}

void QSharedReply::setReply(QSharedPointer<CallHandle> newReply)
{
    abort(true);
    reply = std::move(newReply);
}

void QSharedReply::abort(bool cancel)
{
    if (reply.isNull())
        return;
    if (cancel)
        reply->cancel();
    reply.clear();
}
