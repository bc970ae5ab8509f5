#include "engine/IEngineSystem.h"

void IEngineSystem::restart()
{
    shutdown();
    initialize();
}

void IEngineSystem::setName(const std::string& newName)
{
    if (&newName != &name)
        name = newName;
}

void IEngineSystem::setPaused(bool pause)
{
    paused = pause;
    if (pause)
        onPause();
    else
        onResume();
}
