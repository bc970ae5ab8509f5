#pragma once
// The win screen.

#include "engine/IEngineState.h"

class EngineStateEnd : public IEngineState
{
public:
    static EngineStateEnd* instance();

    void load() override {}
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    void unload() override {}
};
