#pragma once
// Plays sound presets and streamed music on channel groups.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

class SoundManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "SoundManager";
    static SoundManager* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
};

class SoundManagerNull : public SoundManager
{
public:
    static SoundManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
};
