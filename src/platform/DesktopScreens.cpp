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
    QRect screenGeometryAt(const QPoint& pos) const override
    {
        const QScreen* screen = QGuiApplication::screenAt(pos);
        return screen ? screen->geometry() : QRect();
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
