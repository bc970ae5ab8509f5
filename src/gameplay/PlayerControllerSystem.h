#pragma once
// Drives the player: movement, jumps, dashes, the package, death and respawn.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

class Entity;

class PlayerControllerSystem : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "PlayerControllerSystem";
    static PlayerControllerSystem* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;

    // Queries and reactions the world's physics step and level loader call.
    virtual bool justTeleported() const;
    virtual bool isDashing() const;
    virtual void winLevel(Entity* goal);
    virtual void tryRecollectPackage();
    virtual void startLevelTimer();
    virtual void resetPlayer();
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
    bool justTeleported() const override { return false; }
    bool isDashing() const override { return false; }
    void winLevel(Entity*) override {}
    void tryRecollectPackage() override {}
    void startLevelTimer() override {}
    void resetPlayer() override {}
};
