#include "platform/FakeDesktopScreens.h"

QRect FakeDesktopScreens::screenGeometryAt(const QPoint& pos) const
{
    for (const QRect& screen : screens) {
        if (screen.contains(pos))
            return screen;
    }
    return {};
}
