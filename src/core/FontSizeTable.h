#pragma once

#include <QVariantMap>

// The pixel sizes QML reads as windowFontSize: "level" (-1 to 2) and one size per key.
class FontSizeTable
{
public:
    static constexpr int MinLevel = -1;
    static constexpr int MaxLevel = 2;

    // startScreenScale is the start-up screen's scale factor (1.0 before it is measured).
    static QVariantMap forLevel(int level, double startScreenScale);
    // Levels -1, 0 and 1 stand for themselves; anything else is the largest level.
    static int clampLevel(int level);
    // The offset added to every size: smaller on screens that are scaled up anyway.
    static int baseOffset(double startScreenScale);
};
