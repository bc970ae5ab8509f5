#include "gameplay/PlayerControllerSystem.h"

#include "engine/Engine.h"
#include "engine/EventId.h"
#include "engine/SystemSingleton.h"
#include "engine/TimeHelpers.h"
#include "gameplay/PlayerLookups.h"
#include "gameplay/PlaySystems.h"
#include "gameplay/PlayerNames.h"
#include "input/InputSystem.h"
#include "particles/EmitterListComp.h"
#include "world/AnimationComp.h"
#include "world/ColliderComp.h"
#include "world/Entity.h"
#include "world/EntityFlags.h"
#include "world/PhysicsComp.h"
#include "world/StatsComp.h"

using namespace PlayerLookups;
using namespace PlaySystems;
using namespace PlayerNames;

namespace
{
PlayerControllerSystem* gPlayerControllerSystem = nullptr;

template <class T, class Null>
T* PartOf(const Entity* entity)
{
    return entity->getComponent<T>(T::kName, Null::instance());
}
}

DrivenParts::DrivenParts(Entity* owner)
    : entity(owner), transform(PartOf<TransformComp, TransformCompNull>(owner)),
      body(PartOf<PhysicsComp, PhysicsCompNull>(owner)), collider(PartOf<ColliderComp, ColliderCompNull>(owner)),
      stats(PartOf<StatsComp, StatsCompNull>(owner)), animation(PartOf<AnimationComp, AnimationCompNull>(owner)),
      emitters(PartOf<EmitterListComp, EmitterListCompNull>(owner))
{
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

PlayerControllerSystem* PlayerControllerSystem::Registered()
{
    static const std::string name = kName;
    return Engine::getSystem<PlayerControllerSystem>(name, PlayerControllerSystemNull::instance());
}

template <PlayerControllerSystem::Handler handler>
void PlayerControllerSystem::Dispatch(InputEvent event)
{
    PlayerControllerSystem* self = Registered();
    // The null controller takes no input: its handlers would still move the real player.
    if (!self->isNull())
        (self->*handler)(event);
}

// A start is a fresh player: nothing from an earlier run, such as a level switch still
// pending when that run ended, may carry into this one.
void PlayerControllerSystem::initialize()
{
    state = PlayerState{};
    nextScene.clear();
    lastTeleportTime = 0;
    controlsDisabled = false;
    InputSystem* input = Input();
    input->registerCallback(kOffAim, &Dispatch<&PlayerControllerSystem::onOffAim>);
    input->registerCallback(kAim, &Dispatch<&PlayerControllerSystem::onAim>);
    input->registerCallback(kMoveRight, &Dispatch<&PlayerControllerSystem::onMoveRight>);
    input->registerCallback(kMoveLeft, &Dispatch<&PlayerControllerSystem::onMoveLeft>);
    input->registerCallback(kMoveUpNoClip, &Dispatch<&PlayerControllerSystem::onMoveUpNoClip>);
    input->registerCallback(kMoveDownNoClip, &Dispatch<&PlayerControllerSystem::onMoveDownNoClip>);
    input->registerCallback(kJump, &Dispatch<&PlayerControllerSystem::onJump>);
    input->registerCallback(kDash, &Dispatch<&PlayerControllerSystem::onDash>);
    input->registerCallback(kGodMode, &Dispatch<&PlayerControllerSystem::onGodMode>);
    input->registerCallback(kNoClip, &Dispatch<&PlayerControllerSystem::onNoClip>);
    input->registerCallback(kThrowPackage, &Dispatch<&PlayerControllerSystem::onThrowPackage>);
    input->registerCallback(kSummonPackage, &Dispatch<&PlayerControllerSystem::onSummonPackage>);
    input->registerCallback(kTeleportToPackage, &Dispatch<&PlayerControllerSystem::onTeleportToPackage>);
    input->registerCallback(kToggleEmitter, &Dispatch<&PlayerControllerSystem::onToggleEmitter>);
    input->registerCallback(kGamepadAim, &Dispatch<&PlayerControllerSystem::onGamepadAim>);
    input->registerCallback(kReloadScene, &Dispatch<&PlayerControllerSystem::onReloadScene>);
    input->disableAction(kOffAim);
    loadPackageSettings();
    allocateReticleDots();
}

// One step of the player's rules. The order matters: the death and win checks see this
// step's contacts, a jump buffered last step fires before this step's buffer check, the
// dash start reads the input of this step's move callbacks before it is cleared, and the
// animation is chosen from the velocity the dash left.
void PlayerControllerSystem::update()
{
    const int64_t now = GetTimeMs();
    const DrivenParts player(Player());
    const DrivenParts package(Package());

    // 1.-2. Cheat actions and flags
    swapCheatActions();
    player.entity->setFlag(EntityFlags::kGodMode, state.godMode);
    player.entity->setFlag(EntityFlags::kNoClip, state.noClip);

    // 3.-8. Death, win, no-clip
    updateDeath(player);
    updateWin(player);
    if (state.noClip)
    {
        EnableActions({kMoveUpNoClip, kMoveDownNoClip}, true);
        EnableActions({kDash, kJump}, false);
        EnableActions({kMoveRight, kMoveLeft}, true);
        state.dashCharges = 0;
    }

    // 9.-17. Movement
    updateJumpBuffer(player);
    updateDash(player, now);
    updateGrounding(player);

    // 18.-20. Aim and package
    updateAim(player);
    updatePackageEffects(player, package);

    // 21. Level switch
    updateLevelSwitch(now);
}

void PlayerControllerSystem::shutdown()
{
    reticleDots.clear();
    reticleDots.shrink_to_fit();
}

void PlayerControllerSystem::onPause()
{
    state.pauseStartTime = GetTimeMs();
    // The pause switches "offAim" off, so its release would be lost.
    cancelAim();
}

// Only the timers of the jump buffer and the dash move with a pause; throw, teleport and
// level times keep running.
void PlayerControllerSystem::onResume()
{
    const int64_t paused = GetTimeMs() - state.pauseStartTime;
    state.jumpPressTime += paused;
    state.dashPressTime += paused;
    state.dashRechargeTime += paused;
    state.dashStartTime += paused;
}

void PlayerControllerSystem::onNotify(void*, int32_t eventId)
{
    if (eventId != EVENT_ENABLEPACKAGE && eventId != EVENT_DISABLEPACKAGE)
        return;
    const bool enable = eventId == EVENT_ENABLEPACKAGE;
    if (!enable)
        cancelAim();
    EnableActions({kThrowPackage, kSummonPackage, kTeleportToPackage, kOffAim, kAim}, enable);
}

bool PlayerControllerSystem::getGodMode() const
{
    return state.godMode;
}

void PlayerControllerSystem::setGodMode(bool on)
{
    state.godMode = on;
}

bool PlayerControllerSystem::getNoClip() const
{
    return state.noClip;
}

void PlayerControllerSystem::setNoClip(bool on)
{
    state.noClip = on;
}

bool PlayerControllerSystem::areControlsDisabled() const
{
    return controlsDisabled;
}

namespace
{
const std::initializer_list<const char*> kPlayerControls = {
    kMoveRight, kMoveLeft, kJump, kDash, kThrowPackage, kSummonPackage, kTeleportToPackage, kOffAim, kAim};
}

void DisablePlayerControls()
{
    PlayerControllerSystem* controller = PlayerControllerSystem::Registered();
    controller->controlsDisabled = true;
    controller->cancelAim();
    EnableActions(kPlayerControls, false);
}

void EnablePlayerControls()
{
    PlayerControllerSystem::Registered()->controlsDisabled = false;
    EnableActions(kPlayerControls, true);
}
