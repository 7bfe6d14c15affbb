#include "StandinRoutes.h"

QList<StandinRoute> StandinRoutes::all()
{
    return textTranslation() + account() + update() + collector();
}
