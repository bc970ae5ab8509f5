#include "engine/IEngineState.h"

void IEngineState::setPaused(bool pause)
{
    paused = pause;
    if (pause)
        onPause();
    else
        onResume();
}

IEngineStateNull* IEngineStateNull::instance()
{
    static IEngineStateNull null;
    return &null;
}
