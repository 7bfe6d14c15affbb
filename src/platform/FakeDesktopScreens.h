#pragma once

#include "platform/DesktopScreens.h"

#include <QList>

#include <functional>

// A desktop the tests lay out: screens anywhere, the pointer where the test puts it, and the
// picture a grab returns.
class FakeDesktopScreens : public DesktopScreens
{
    Q_OBJECT
public:
    using DesktopScreens::DesktopScreens;

    QPoint cursorPos() const override { return cursor; }
    Screen screenAt(const QPoint& pos) const override;
    // The scripted picture of the screen holding pos (null when none or none scripted); runs
    // whileGrabbing first, as if at the moment the screen is read.
    QPixmap grabScreenAt(const QPoint& pos) const override;

    void setCursorPos(const QPoint& pos) { cursor = pos; }
    // Screens without panels at ratio 1.
    void setScreens(const QList<QRect>& geometries);
    void setScreens(const QList<Screen>& described) { screens = described; }
    void setPicture(const QPixmap& pixmap) { picture = pixmap; }

    std::function<void()> whileGrabbing;
    mutable int grabs = 0;

private:
    QPoint cursor;
    QList<Screen> screens;
    QPixmap picture;
};
