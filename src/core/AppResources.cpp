#include "core/AppResources.h"

#include <QtGlobal>

static void initParlavineResources()
{
    Q_INIT_RESOURCE(parlavine);
}

void initResources()
{
    static const bool done = (initParlavineResources(), true);
    Q_UNUSED(done);
}
