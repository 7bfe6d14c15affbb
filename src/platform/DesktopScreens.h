#pragma once

#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QRect>

// The pointer, the screens' places on the desktop and their pictures, for windows that follow
// the pointer and for screen capture.
class DesktopScreens : public QObject
{
    Q_OBJECT
public:
    struct Screen
    {
        QRect geometry;  // desktop coordinates, logical units
        QRect workArea;  // the geometry less panels and docks
        qreal devicePixelRatio = 1.0;
        bool isNull() const { return geometry.isNull(); }
    };

    using QObject::QObject;

    // Qt's view of the desktop unless setSystem() chose another (not owned; null resets).
    static DesktopScreens* system();
    static void setSystem(DesktopScreens* screens);

    virtual QPoint cursorPos() const = 0;
    // The screen holding the point; a null screen when none does.
    virtual Screen screenAt(const QPoint& pos) const = 0;
    // The whole screen holding the point, in device pixels, its origin at the screen's top left;
    // null when no screen holds it or the desktop lets no program read the screen.
    virtual QPixmap grabScreenAt(const QPoint& pos) const = 0;
};
