#include "platform/EarlyEnvironment.h"

#include <QByteArray>

namespace {

void setUnlessSet(const char* name, const QByteArray& value)
{
    if (!qEnvironmentVariableIsSet(name))
        qputenv(name, value);
}

} // namespace

void EarlyEnvironment::settle()
{
    // The web engine's own value; set here so its later write changes no layout.
    setUnlessSet("force_s3tc_enable", QByteArrayLiteral("true"));
    // Qt's network layer polls the network interfaces every 10 s for an online state nothing
    // here reads, waking a thread of an idle, hidden client; this pushes the poll out of reach.
    setUnlessSet("QT_BEARER_POLL_TIMEOUT", QByteArrayLiteral("2147483647"));
    // Qt Quick sizes its texture atlas after the window: 2048x1024, 8 MB of texture memory for
    // the main window's few small pictures. 512x512 holds them; a larger picture gets a
    // texture of its own, as it would anyway.
    setUnlessSet("QSG_ATLAS_WIDTH", QByteArrayLiteral("512"));
    setUnlessSet("QSG_ATLAS_HEIGHT", QByteArrayLiteral("512"));
}
