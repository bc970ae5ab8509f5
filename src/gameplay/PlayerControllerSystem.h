#pragma once
// Drives the player: movement, jumps, dashes, the package, death and respawn.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

class PlayerControllerSystem : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "PlayerControllerSystem";
    static PlayerControllerSystem* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
};

class PlayerControllerSystemNull : public PlayerControllerSystem
{
public:
    static PlayerControllerSystemNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
};
