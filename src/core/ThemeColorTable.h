#pragma once

#include <QVariantMap>

#include <optional>

// The colour map QML reads as windowColor: "type" (0 light, 1 dark) and one colour text per key.
class ThemeColorTable
{
public:
    enum Type { Light = 0, Dark = 1 };

    // Type 1 gives the dark table; every other value the light one.
    static QVariantMap forType(int type);
    // The theme a settings mode asks for: 1 light, 2 dark, 3 the night schedule decides (no type),
    // any other value follows the system's preference.
    static std::optional<int> typeForMode(int mode, bool systemPrefersDark);
};
