#include "platform/HotkeyRegistrar.h"

#include "platform/X11HotkeyRegistrar.h"

#include <QCoreApplication>
#include <QPointer>

namespace {
QPointer<HotkeyRegistrar> chosenRegistrar;
} // namespace

HotkeyRegistrar* HotkeyRegistrar::system()
{
    if (chosenRegistrar)
        return chosenRegistrar;
    static QPointer<HotkeyRegistrar> registrar;
    if (!registrar && QCoreApplication::instance())
        registrar = new X11HotkeyRegistrar(QCoreApplication::instance());
    return registrar;
}

void HotkeyRegistrar::setSystem(HotkeyRegistrar* registrar)
{
    chosenRegistrar = registrar;
}
