#pragma once
// Developer sandbox state.

#include "engine/IEngineState.h"

class EngineStateTobrin : public IEngineState
{
public:
    static EngineStateTobrin* instance();

    void load() override {}
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    void unload() override {}
};
