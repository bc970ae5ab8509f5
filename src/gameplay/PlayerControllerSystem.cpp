#include "gameplay/PlayerControllerSystem.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

namespace
{
PlayerControllerSystem* gPlayerControllerSystem = nullptr;
}

PlayerControllerSystem* PlayerControllerSystem::getInstance()
{
    return GetSystemSingleton(gPlayerControllerSystem, kName, kObserverName);
}

PlayerControllerSystemNull* PlayerControllerSystemNull::instance()
{
    static PlayerControllerSystemNull null;
    return &null;
}

void PlayerControllerSystem::initialize() {}
void PlayerControllerSystem::update() {}
void PlayerControllerSystem::render() {}
void PlayerControllerSystem::shutdown() {}
void PlayerControllerSystem::onPause() {}
void PlayerControllerSystem::onResume() {}
void PlayerControllerSystem::onNotify(void*, int32_t) {}
void PlayerControllerSystem::resetPlayer() {}
void PlayerControllerSystem::respawn() {}
bool PlayerControllerSystem::getGodMode() const { return false; }
void PlayerControllerSystem::setGodMode(bool) {}
bool PlayerControllerSystem::getNoClip() const { return false; }
void PlayerControllerSystem::setNoClip(bool) {}
void PlayerControllerSystem::tryRecollectPackage() {}
void PlayerControllerSystem::recollectPackage(bool) {}
void PlayerControllerSystem::throwPackage(glm::vec2) {}
bool PlayerControllerSystem::isPackageHeld() const { return true; }
void PlayerControllerSystem::loadPackageSettings() {}
bool PlayerControllerSystem::isDashing() const { return false; }
void PlayerControllerSystem::winLevel(Entity*) {}
void PlayerControllerSystem::startLevelTimer() {}
void PlayerControllerSystem::printCompletionTime() {}
bool PlayerControllerSystem::justTeleported() const { return false; }
void PlayerControllerSystem::setupLevelEmitters() {}
bool PlayerControllerSystem::areControlsDisabled() const { return false; }

void DisablePlayerControls() {}
void EnablePlayerControls() {}
