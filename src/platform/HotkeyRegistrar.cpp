#include "platform/HotkeyRegistrar.h"

#include "platform/X11HotkeyRegistrar.h"

#include <QCoreApplication>
#include <QPointer>

HotkeyRegistrar* HotkeyRegistrar::system()
{
    static QPointer<HotkeyRegistrar> registrar;
    if (!registrar && QCoreApplication::instance())
        registrar = new X11HotkeyRegistrar(QCoreApplication::instance());
    return registrar;
}
