#pragma once

#include <functional>

// The two answers a pending hud can get; both are always callable.
struct HudCallbacks
{
    std::function<void()> onSure;
    std::function<void()> onCancel;
};
