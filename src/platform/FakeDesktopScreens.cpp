#include "platform/FakeDesktopScreens.h"

DesktopScreens::Screen FakeDesktopScreens::screenAt(const QPoint& pos) const
{
    for (const Screen& screen : screens) {
        if (screen.geometry.contains(pos))
            return screen;
    }
    return {};
}

QPixmap FakeDesktopScreens::grabScreenAt(const QPoint& pos) const
{
    if (screenAt(pos).isNull())
        return {};
    ++grabs;
    if (whileGrabbing)
        whileGrabbing();
    return picture;
}

void FakeDesktopScreens::setScreens(const QList<QRect>& geometries)
{
    screens.clear();
    for (const QRect& geometry : geometries)
        screens.append({geometry, geometry, 1.0});
}
