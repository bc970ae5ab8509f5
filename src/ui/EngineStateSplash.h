#pragma once
// The splash logos shown at start-up.

#include "engine/IEngineState.h"

class EngineStateSplash : public IEngineState
{
public:
    static EngineStateSplash* instance();

    void load() override {}
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    void unload() override {}
};
