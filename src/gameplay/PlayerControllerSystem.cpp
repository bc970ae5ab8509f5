#include "gameplay/PlayerControllerSystem.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

namespace
{
PlayerControllerSystem* gPlayerControllerSystem = nullptr;
}

PlayerControllerSystem* PlayerControllerSystem::getInstance()
{
    return GetSystemSingleton(gPlayerControllerSystem, kName, "PlayerController");
}

PlayerControllerSystemNull* PlayerControllerSystemNull::instance()
{
    static PlayerControllerSystemNull null;
    return &null;
}

void PlayerControllerSystem::initialize()
{
    Log()->message(kName, "initialize");
}

void PlayerControllerSystem::update() {}

void PlayerControllerSystem::render() {}

void PlayerControllerSystem::shutdown()
{
    Log()->message(kName, "shutdown");
}

bool PlayerControllerSystem::justTeleported() const
{
    return false;
}

bool PlayerControllerSystem::isDashing() const
{
    return false;
}

void PlayerControllerSystem::winLevel(Entity*) {}

void PlayerControllerSystem::tryRecollectPackage() {}

void PlayerControllerSystem::startLevelTimer() {}

void PlayerControllerSystem::resetPlayer() {}
