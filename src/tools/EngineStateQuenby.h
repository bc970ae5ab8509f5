#pragma once
// Developer sandbox state.

#include "engine/IEngineState.h"

class EngineStateQuenby : public IEngineState
{
public:
    static EngineStateQuenby* instance();

    void load() override {}
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    void unload() override {}
};
