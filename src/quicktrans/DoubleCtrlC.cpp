#include "quicktrans/DoubleCtrlC.h"

#include "platform/InputEvent.h"

namespace DoubleCtrlC {

Step keyDown(State state, int key, bool ctrlDown, quint32 time)
{
    Step step{state, false};
    if (InputKey::isControl(key))
        return step;
    if (key != InputKey::C || !ctrlDown) {
        step.state.count = 0;
        return step;
    }
    if (state.count != 0 && quint32(time - state.lastCtrlC) > kMaxGapMs) {
        step.state.count = 1;
    } else if (++step.state.count == 2) {
        step.triggered = true;
        step.state.count = 0;
    }
    step.state.lastCtrlC = time;
    return step;
}

} // namespace DoubleCtrlC
