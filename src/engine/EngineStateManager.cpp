#include "engine/EngineStateManager.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

namespace
{
EngineStateManager* gStateManager = nullptr;
}

EngineStateManager* EngineStateManager::getInstance()
{
    return GetSystemSingleton(gStateManager, kName);
}

EngineStateManagerNull* EngineStateManagerNull::instance()
{
    static EngineStateManagerNull null;
    return &null;
}

void EngineStateManager::initialize()
{
    Log()->message(kName, "initialize");
}

void EngineStateManager::shutdown()
{
    Log()->message(kName, "shutdown");
}

void EngineStateManager::update()
{
    if (switchPending)
        performPendingSwitch();
    if (!current->isPaused())
        current->update();
    // A copy, because an overlay may push or pop overlays from its own update.
    const std::vector<IEngineState*> visiting = overlays;
    for (IEngineState* overlay : visiting)
        if (!overlay->isPaused())
            overlay->update();
}

void EngineStateManager::performPendingSwitch()
{
    current->shutdown();
    if (!restartRequested)
    {
        current->unload();
        previous = current;
        current = next;
        current->load();
    }
    current->initialize();
    restartRequested = false;
    switchPending = false;
}

void EngineStateManager::render()
{
    current->render();
    const std::vector<IEngineState*> visiting = overlays;
    for (IEngineState* overlay : visiting)
        overlay->render();
}

void EngineStateManager::setNextState(IEngineState* state)
{
    next = state;
    state->setOwner(this);
    switchPending = true;
}

void EngineStateManager::restartState()
{
    restartRequested = true;
    setNextState(current);
}

// Index 0 is the current state, then the overlays from the bottom up; an index out of range
// gives the null state, which ignores pausing and reports itself running.
IEngineState* EngineStateManager::stateAt(int32_t index) const
{
    if (index < 0 || static_cast<uint32_t>(index) >= getStateCount())
        return IEngineStateNull::instance();
    return index == 0 ? current : overlays[static_cast<size_t>(index - 1)];
}

void EngineStateManager::setStatePaused(bool pause, int32_t index)
{
    stateAt(index)->setPaused(pause);
}

bool EngineStateManager::isStatePaused(int32_t index) const
{
    return stateAt(index)->isPaused();
}

void EngineStateManager::pushState(IEngineState* state, bool pauseBelow)
{
    if (pauseBelow)
        setStatePaused(true, static_cast<int32_t>(getStateCount()) - 1);
    overlays.push_back(state);
    state->load();
    state->initialize();
}

void EngineStateManager::popState(bool resumeBelow)
{
    if (overlays.empty())
        return;
    IEngineState* top = overlays.back();
    top->unload();
    top->shutdown();
    overlays.pop_back();
    if (resumeBelow)
        setStatePaused(false, static_cast<int32_t>(getStateCount()) - 1);
}

uint32_t EngineStateManager::getStateCount() const
{
    return static_cast<uint32_t>(overlays.size()) + 1;
}

void EngineStateManager::onFileDrop(const std::string& path)
{
    current->onFileDrop(path);
}

void EngineStateManager::onMinimize()
{
    current->onMinimize();
}

void EngineStateManager::onRestore()
{
    current->onRestore();
}

void EngineStateManager::debugGui()
{
    current->debugGui();
}
