#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

// The pointer and the screens' places on the desktop, for windows that follow the pointer.
class DesktopScreens : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Qt's view of the desktop unless setSystem() chose another (not owned; null resets).
    static DesktopScreens* system();
    static void setSystem(DesktopScreens* screens);

    virtual QPoint cursorPos() const = 0;
    // Desktop geometry of the screen holding the point; a null rect when no screen does.
    virtual QRect screenGeometryAt(const QPoint& pos) const = 0;
};
