#include "platform/DesktopScreens.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace {

class QtDesktopScreens : public DesktopScreens
{
public:
    using DesktopScreens::DesktopScreens;

    QPoint cursorPos() const override { return QCursor::pos(); }

    Screen screenAt(const QPoint& pos) const override
    {
        const QScreen* screen = QGuiApplication::screenAt(pos);
        if (!screen)
            return {};
        return {screen->geometry(), screen->availableGeometry(), screen->devicePixelRatio()};
    }

    QPixmap grabScreenAt(const QPoint& pos) const override
    {
        // Only X11 hands the screen's contents to any program; Wayland compositors answer a
        // grab with an empty or black picture.
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            return {};
        QScreen* screen = QGuiApplication::screenAt(pos);
        if (!screen)
            return {};
        QPixmap grabbed = screen->grabWindow(0);
        grabbed.setDevicePixelRatio(1.0); // callers count in device pixels
        return grabbed;
    }
};

QPointer<DesktopScreens> chosenScreens;

} // namespace

DesktopScreens* DesktopScreens::system()
{
    if (chosenScreens)
        return chosenScreens;
    static QPointer<DesktopScreens> screens;
    if (!screens && QCoreApplication::instance())
        screens = new QtDesktopScreens(QCoreApplication::instance());
    return screens;
}

void DesktopScreens::setSystem(DesktopScreens* screens)
{
    chosenScreens = screens;
}
