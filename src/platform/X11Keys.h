#pragma once

#include <cstdint>

// Between our key numbers (InputKey) and X keysyms. Letters map to their lower-case keysym,
// which is what an unshifted key produces.
namespace X11Keys {
std::uint32_t keysymOf(int key); // 0 for a key outside the table
int keyOf(std::uint32_t keysym); // InputKey::Other for a keysym outside the table
} // namespace X11Keys
