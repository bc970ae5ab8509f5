// What frames a level: death below the kill plane and the respawn, the win at a goal with
// its completion time, the level switch five seconds later through a screen wipe (or to the
// win screen), the reset of the player at level start and the sizing of level emitters.

#include "gameplay/PlayerControllerSystem.h"

#include "audio/SoundManager.h"
#include "engine/EngineStateManager.h"
#include "engine/TimeHelpers.h"
#include "gameplay/PlayerLookups.h"
#include "gameplay/PlaySystems.h"
#include "gameplay/PlayerNames.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleManager.h"
#include "ui/EngineStateEnd.h"
#include "ui/TransitionManager.h"
#include "world/AnimationComp.h"
#include "world/Entity.h"
#include "world/EntityFlags.h"
#include "world/EntityManager.h"
#include "world/MovingPlatformComp.h"
#include "world/PhysicsComp.h"
#include "world/SceneManager.h"
#include "world/StatsComp.h"

#include <iostream>

using namespace PlayerLookups;
using namespace PlaySystems;
using namespace PlayerNames;

namespace
{
// A death wall waits at its spawn point for its trigger, then heads for this waypoint.
constexpr int32_t kDeathWallRestartWaypoint = 32;
constexpr float kDeathWallRestartSpeed = 0.5f;
// Where the package lies, from the player, before it is taken in hand at level start.
const glm::vec3 kPackageStartOffset(2.5f, 0.0f, 0.1f);
// Hazard sparks rise from just below the top edge.
constexpr float kHazardEmitterHeightDivisor = 2.2f;

// The wipe into a level; empty for a name that is none of the three levels.
std::string WipeFor(const std::string& scene)
{
    if (scene == kLevel1)
        return kWipe1;
    if (scene == kLevel2)
        return kWipe2;
    if (scene == kLevel3)
        return kWipe3;
    return std::string();
}

void ChangeMusic(const std::string& scene)
{
    const char* track = scene == kLevel2 ? kMusicLevel2 : scene == kLevel3 ? kMusicLevel3 : nullptr;
    if (!track)
        return;
    Sound()->stopAll();
    Sound()->playPreset(track);
}

void SizeHazardEmitter(Entity* hazard)
{
    const glm::vec3 s = DrivenParts(hazard).transform->getScale();
    ParticleEmitter* emitter = EmitterOf(hazard, kHazardEmitter);
    emitter->setSpawnRangeX(glm::vec2(-s.x * 0.5f, s.x * 0.5f));
    const glm::vec3 at = emitter->getPosition();
    emitter->setPositionOffset(glm::vec3(at.x, s.y / kHazardEmitterHeightDivisor, at.z));
}

void SizeFirewallEmitter(Entity* firewall)
{
    const glm::vec3 s = DrivenParts(firewall).transform->getScale();
    EmitterOf(firewall, kFirewallEmitter)->setSpawnRangeY(glm::vec2(-s.y * 0.5f, s.y * 0.5f));
}
}

void PlayerControllerSystem::startLevelTimer()
{
    state.levelStartTime = GetTimeMs();
}

// Counts from the level load, so the comic and the wipe are part of the time.
void PlayerControllerSystem::printCompletionTime()
{
    const float seconds = static_cast<float>(GetTimeMs() - state.levelStartTime) / 1000.0f;
    std::cout << "Level Completion Time: " << seconds << " seconds." << std::endl;
}

// Runs inside the physics step's contact loop: it only sets flags and times; the level
// switch that loads and clears entities waits for update.
void PlayerControllerSystem::winLevel(Entity* goal)
{
    Entity* player = Player();
    if (player->getFlag(kWinFlag))
        return;
    player->setFlag(kWinFlag, true);
    state.levelEndTime = GetTimeMs();
    state.levelEndPending = true;
    nextScene = DrivenParts(goal ? goal : EntityNull::instance()).stats->getNextLevel();
    printCompletionTime();
    DisablePlayerControls();
}

// 3.-5. Falling below the kill plane or a deadly contact starts the death animation; when it
// has played, the player respawns.
void PlayerControllerSystem::updateDeath(const DrivenParts& player)
{
    if (player.transform->getPosition().y < Scenes()->getKillPlane() && !player.entity->getFlag(EntityFlags::kNoClip))
        player.entity->setFlag(EntityFlags::kRespawn, true);
    if (player.entity->getFlag(EntityFlags::kRespawn) && !state.dying)
    {
        Sound()->playPreset(kPlayerDeathSound);
        state.dying = true;
        SetEmitterActive(player.entity, kDeathEmitter, true);
        // Facing right shows "DeathLeft", as the sheet is drawn. From its first frame: a
        // switch keeps the frame index, which could already be the last one.
        player.animation->play(state.facing == 1 ? kDeathLeft : kDeathRight);
        player.animation->restart();
    }
    if (player.animation->isFinished() && state.dying)
    {
        player.entity->setFlag(EntityFlags::kRespawn, false);
        state.dying = false;
        respawn();
    }
}

// 6.-7. The fanfare once per win; the player stays put until the level switch.
void PlayerControllerSystem::updateWin(const DrivenParts& player)
{
    if (!player.entity->getFlag(kWinFlag))
        return;
    if (!player.entity->getFlag(kWinFirstOccuranceFlag))
    {
        player.entity->setFlag(kWinFirstOccuranceFlag, true);
        Sound()->playPreset(kWinFanfareSound);
    }
    EnableActions({kMoveRight, kMoveLeft, kJump, kDash}, false);
}

// 21.
void PlayerControllerSystem::updateLevelSwitch(int64_t now)
{
    if (!state.levelEndPending || ElapsedMs(now, state.levelEndTime) <= static_cast<uint64_t>(kLevelSwitchDelayMs))
        return;
    switchLevel();
    state.levelEndPending = false;
}

// The music changes as the wipe starts, before the next level loads.
void PlayerControllerSystem::switchLevel()
{
    ChangeMusic(nextScene);
    state.pendingScene = nextScene;
    DisablePlayerControls();
    const std::string wipe = WipeFor(nextScene);
    if (wipe.empty())
    {
        States()->setNextState(EngineStateEnd::instance());
        return;
    }
    if (Transitions()->startTransition(&PlayerControllerSystem::LoadNextLevel, wipe, &EnablePlayerControls))
        return;
    // No wipe could start (one already running, its sheet missing): switch without one
    // rather than leave the player frozen in the finished level.
    LoadNextLevel();
    EnablePlayerControls();
}

void PlayerControllerSystem::LoadNextLevel()
{
    Registered()->loadNextLevel();
}

// Behind the covered screen; the controls come back when the wipe ends.
void PlayerControllerSystem::loadNextLevel()
{
    Scenes()->loadScene(state.pendingScene);
    resetPlayer();
    DisablePlayerControls();
}

// Leaves the death, the pending level end and the aim as they are.
void PlayerControllerSystem::resetPlayer()
{
    Particles()->restart();
    for (TransformComp& dot : reticleDots)
        dot.setScale(settings.reticleSize, settings.reticleSize, settings.reticleSize);
    clearMovement();

    const DrivenParts player(Player());
    player.entity->setFlag(kWinFlag, false);
    player.entity->setFlag(kWinFirstOccuranceFlag, false);
    // The package is made first, so that it too draws at its smoothed position.
    if (Package()->isNull())
        Entities()->cloneArchetype(kPackageArchetype);
    const DrivenParts package(Package());
    player.transform->setUseRenderPosition(true);
    package.transform->setUseRenderPosition(true);
    setupLevelEmitters();
    package.transform->setPosition(player.transform->getPosition() + kPackageStartOffset);
    state.packageHeld = false;
    recollectPackage(false);
    state.runSound.pause();
}

void PlayerControllerSystem::respawn()
{
    Sound()->playPreset(kPlayerRespawnSound);
    const DrivenParts player(Player());
    player.transform->setPosition(player.stats->getSpawnPoint());
    player.body->setVelocity(0.0f, 0.0f, 0.0f);
    clearMovement();
    state.lastThrowTime = 0;
    state.packageHeld = false;
    resetDeathWalls();
    recollectPackage(false);
}

// No pending jump or dash, no direction held, no dash charge: a fresh start or a respawn.
void PlayerControllerSystem::clearMovement()
{
    state.jumpPressTime = 0;
    state.dashPressTime = 0;
    state.dashStartTime = 0;
    state.dashRechargeTime = 0;
    state.jumpQueued = false;
    state.dashing = false;
    state.inputDirection = 0;
    state.dashDirection = 0;
    state.dashCharges = 0;
}

// Every death wall back at its spawn point, still until its trigger starts it again.
void PlayerControllerSystem::resetDeathWalls()
{
    for (Entity* wall : Entities()->findAllWithFlag(EntityFlags::kDeathWall))
    {
        const DrivenParts parts(wall);
        parts.transform->setPosition(parts.stats->getSpawnPoint());
        MovingPlatformComp* platform =
            wall->getComponent<MovingPlatformComp>(MovingPlatformComp::kName, MovingPlatformCompNull::instance());
        platform->setMoving(false);
        platform->setTargetWaypointID(kDeathWallRestartWaypoint);
        platform->setTargetSpeed(kDeathWallRestartSpeed);
    }
}

void PlayerControllerSystem::setupLevelEmitters()
{
    EntityManager* entities = Entities();
    if (entities->findFirstWithFlag(kMarkerFlag)->isNull())
        entities->cloneArchetype(kMarkerArchetype);
    for (Entity* hazard : entities->findAllWithFlag(EntityFlags::kHazard))
        SizeHazardEmitter(hazard);
    for (Entity* firewall : entities->findAllWithFlag(EntityFlags::kFirewall))
        SizeFirewallEmitter(firewall);
}
