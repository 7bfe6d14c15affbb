#pragma once

#include <QtGlobal>

// Ctrl+C pressed twice within 300 ms, counted over key-downs only.
namespace DoubleCtrlC {

constexpr quint32 kMaxGapMs = 300;

struct State {
    int count = 0;         // Ctrl+C presses counted so far: 0 or 1
    quint32 lastCtrlC = 0; // time of the last counted one, milliseconds wrapping at 2^32
};

struct Step {
    State state;
    bool triggered = false;
};

// One key-down. A Ctrl key itself neither counts nor resets, so Ctrl+C, release Ctrl, Ctrl+C
// still counts; any other key resets. Time differences are unsigned, so the clock may wrap.
Step keyDown(State state, int key, bool ctrlDown, quint32 time);

} // namespace DoubleCtrlC
