#include "core/State.h"

static State* s_state = nullptr;
static bool s_stateDestroyed = false;

State* State::instance()
{
    if (!s_state && !s_stateDestroyed)
        s_state = new State;
    return s_state;
}

State::State(QObject* parent) : QObject(parent) {}

State::~State()
{
    s_state = nullptr;
    s_stateDestroyed = true;
}
