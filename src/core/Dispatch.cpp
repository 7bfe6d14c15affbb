#include "core/Dispatch.h"

static Dispatch* s_dispatch = nullptr;
static bool s_dispatchDestroyed = false;

Dispatch* Dispatch::instance()
{
    if (!s_dispatch && !s_dispatchDestroyed)
        s_dispatch = new Dispatch;
    return s_dispatch;
}

Dispatch::Dispatch(QObject* parent) : QObject(parent) {}

Dispatch::~Dispatch()
{
    s_dispatch = nullptr;
    s_dispatchDestroyed = true;
}
