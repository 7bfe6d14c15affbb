#include "platform/EarlyEnvironment.h"

#include <QByteArray>

void EarlyEnvironment::settle()
{
    // The web engine's own value; set here so its later write changes no layout.
    if (!qEnvironmentVariableIsSet("force_s3tc_enable"))
        qputenv("force_s3tc_enable", QByteArrayLiteral("true"));
}
