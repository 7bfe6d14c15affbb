#include "platform/EarlyEnvironment.h"

#include <QByteArray>

void EarlyEnvironment::settle()
{
    // The web engine's own value; set here so its later write changes no layout.
    if (!qEnvironmentVariableIsSet("force_s3tc_enable"))
        qputenv("force_s3tc_enable", QByteArrayLiteral("true"));
    // Qt's network layer polls the network interfaces every 10 s for an online state nothing
    // here reads, waking a thread of an idle, hidden client; this pushes the poll out of reach.
    if (!qEnvironmentVariableIsSet("QT_BEARER_POLL_TIMEOUT"))
        qputenv("QT_BEARER_POLL_TIMEOUT", QByteArrayLiteral("2147483647"));
}
