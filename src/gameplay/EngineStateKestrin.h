#pragma once
// The main play state.

#include "engine/IEngineState.h"

class EngineStateKestrin : public IEngineState
{
public:
    static EngineStateKestrin* instance();

    void load() override {}
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    void unload() override {}
};
