#pragma once

#include <QMetaType>

// The hotkey kinds, with the numbers the settings and QML use. The first three are registered key
// combinations; CopyTransCC is only ever produced by the double Ctrl+C detector.
enum class HotkeyType { CopyTransOpen = 0, CopyTransQuick = 1, ScreenshotOpen = 2, CopyTransCC = 3 };

Q_DECLARE_METATYPE(HotkeyType)
