#pragma once

#include "platform/DesktopScreens.h"

#include <QList>

// A desktop the tests lay out: screens anywhere, the pointer where the test puts it.
class FakeDesktopScreens : public DesktopScreens
{
    Q_OBJECT
public:
    using DesktopScreens::DesktopScreens;

    QPoint cursorPos() const override { return cursor; }
    QRect screenGeometryAt(const QPoint& pos) const override;

    void setCursorPos(const QPoint& pos) { cursor = pos; }
    void setScreens(const QList<QRect>& geometries) { screens = geometries; }

private:
    QPoint cursor;
    QList<QRect> screens;
};
