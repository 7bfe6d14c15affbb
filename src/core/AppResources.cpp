#include "core/AppResources.h"

#include <QtGlobal>

static void initParlavineResources()
{
    Q_INIT_RESOURCE(parlavine);
    // Also registers the compiled QML documents: this reference is what links them in.
    Q_INIT_RESOURCE(parlavine_ui);
}

void initResources()
{
    static const bool done = (initParlavineResources(), true);
    Q_UNUSED(done);
}
