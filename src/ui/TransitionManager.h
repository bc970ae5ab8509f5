#pragma once
// Runs the animated screen wipes between levels.

#include "engine/IEngineSystem.h"

class TransitionManager : public IEngineSystem
{
public:
    static constexpr const char* kName = "TransitionManager";
    static TransitionManager* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
};

class TransitionManagerNull : public TransitionManager
{
public:
    static TransitionManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
};
