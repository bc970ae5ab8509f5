#pragma once
// Developer sandbox state with the scene changer.

#include "engine/IEngineState.h"

class EngineStateMorvel : public IEngineState
{
public:
    static EngineStateMorvel* instance();

    void load() override {}
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    void unload() override {}
};
