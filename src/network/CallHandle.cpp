#include "network/CallHandle.h"

#include "network/Request.h"

void CallHandle::cancel()
{
    cancelled = true;
    Request::cancelReply(current);
}
