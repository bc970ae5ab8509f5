#pragma once
// Drives the player: turns input actions into movement, jumps (with a jump buffer and coyote
// time), dashes on limited charges, the package's aim, throw, recall and teleport, death
// below the kill plane and respawn at the last checkpoint, the win at a goal and the level
// switch five seconds later through a screen wipe. It reaches the player and package
// entities only through their components, and every other system by name.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

#include <glm/vec2.hpp>

#include <string>

class Entity;

class PlayerControllerSystem : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "PlayerControllerSystem";
    static constexpr const char* kObserverName = "PlayerController";
    static PlayerControllerSystem* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
    void onPause() override;
    void onResume() override;
    void onNotify(void* payload, int32_t eventId) override;

    virtual void resetPlayer();
    virtual void respawn();
    virtual bool getGodMode() const;
    virtual void setGodMode(bool on);
    virtual bool getNoClip() const;
    virtual void setNoClip(bool on);
    virtual void tryRecollectPackage();
    virtual void recollectPackage(bool effects);
    virtual void throwPackage(glm::vec2 velocity);
    virtual bool isPackageHeld() const;
    virtual void loadPackageSettings();
    virtual bool isDashing() const;
    virtual void winLevel(Entity* goal);
    virtual void startLevelTimer();
    virtual void printCompletionTime();
    virtual bool justTeleported() const;
    virtual void setupLevelEmitters();
    // While set (comic, win, wipe), nothing but EnablePlayerControls turns the controls on.
    virtual bool areControlsDisabled() const;
};

class PlayerControllerSystemNull : public PlayerControllerSystem
{
public:
    static PlayerControllerSystemNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    void onPause() override {}
    void onResume() override {}
    void onNotify(void*, int32_t) override {}
    bool isNull() const override { return true; }
    void resetPlayer() override {}
    void respawn() override {}
    bool getGodMode() const override { return false; }
    void setGodMode(bool) override {}
    bool getNoClip() const override { return false; }
    void setNoClip(bool) override {}
    void tryRecollectPackage() override {}
    void recollectPackage(bool) override {}
    void throwPackage(glm::vec2) override {}
    bool isPackageHeld() const override { return false; }
    void loadPackageSettings() override {}
    bool isDashing() const override { return false; }
    void winLevel(Entity*) override {}
    void startLevelTimer() override {}
    void printCompletionTime() override {}
    bool justTeleported() const override { return false; }
    void setupLevelEmitters() override {}
    bool areControlsDisabled() const override { return false; }
};

// Switch the player's nine controls off and back on around wins, level switches and the
// opening comic. Plain functions, so a screen wipe can call them as its callbacks.
void DisablePlayerControls();
void EnablePlayerControls();
