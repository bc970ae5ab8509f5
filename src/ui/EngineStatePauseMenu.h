#pragma once
// The pause menu, pushed over the play state.

#include "engine/IEngineState.h"

class EngineStatePauseMenu : public IEngineState
{
public:
    static EngineStatePauseMenu* instance();

    void load() override {}
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    void unload() override {}
};
