// Running, jumping (coyote time and the jump buffer), dashing, no-clip flight, the two
// cheats, and the choice of the walk / jump / land / idle animation.

#include "gameplay/PlayerControllerSystem.h"

#include "audio/SoundManager.h"
#include "engine/TimeHelpers.h"
#include "gameplay/PlayerLookups.h"
#include "gameplay/PlaySystems.h"
#include "gameplay/PlayerNames.h"
#include "world/AnimationComp.h"
#include "world/ColliderComp.h"
#include "world/Entity.h"
#include "world/PhysicsComp.h"
#include "world/StatsComp.h"

using namespace PlayerLookups;
using namespace PlaySystems;
using namespace PlayerNames;

namespace
{
// Slower than this counts as standing still (facing, running sound).
constexpr double kStillSpeed = 0.001;
// Vertical and horizontal speeds within this band count as level / not walking.
constexpr float kLevelSpeed = 0.01f;
constexpr float kAirPushShare = 0.5f;
constexpr float kNoClipPushShare = 0.5f;

int32_t NextFacing(int32_t facing, float vx)
{
    if (static_cast<double>(vx) > kStillSpeed)
        return 1;
    if (static_cast<double>(vx) < -kStillSpeed)
        return -1;
    return facing;
}

// 0 falling, 1 level, 2 rising.
int32_t VerticalPhase(float vy)
{
    if (vy > -kLevelSpeed && vy < kLevelSpeed)
        return 1;
    return vy <= -kLevelSpeed ? 0 : 2;
}

const char* ChooseAnimation(int32_t facing, const glm::vec3& velocity)
{
    const int32_t phase = VerticalPhase(velocity.y);
    if (velocity.x > -kLevelSpeed && velocity.x < kLevelSpeed && phase == 1)
        return facing == 1 ? kIdleRight : kIdleLeft;
    return kMoveAnimations[phase + (facing > 0 ? 3 : 0)];
}
}

void PlayerControllerSystem::onMoveLeft(const InputEvent&)
{
    run(-1);
}

void PlayerControllerSystem::onMoveRight(const InputEvent&)
{
    run(1);
}

// The speed limit is tested before the push, so one push may carry the speed past it. In the
// air the push is halved and the third component of the maximum velocity is the limit.
void PlayerControllerSystem::run(int32_t direction)
{
    state.inputDirection += direction;
    const DrivenParts player(Player());
    const float speed = player.body->getVelocity().x * static_cast<float>(direction);
    const glm::vec3 limit = player.body->getMaxVelocity();
    const float push = player.stats->getPlayerAcceleration() * static_cast<float>(direction);
    if (player.collider->isCollidingDown())
    {
        // Nothing ever plays into the running sound; resuming an empty receipt would start
        // a silent default sound on every step.
        if (state.runSound.getTag() != 0)
            state.runSound.resume();
        if (speed < limit.x)
            player.body->addAcceleration(push, 0.0f, 0.0f);
        return;
    }
    if (speed < limit.z)
        player.body->addAcceleration(push * kAirPushShare, 0.0f, 0.0f);
}

// Grounded, or airborne but inside the coyote window since the last landing: jump. Otherwise
// the press is kept for the jump buffer.
void PlayerControllerSystem::onJump(const InputEvent&)
{
    const DrivenParts player(Player());
    if (!player.collider->isCollidingDown() &&
        HasElapsed(player.collider->getLandingTime(), player.stats->getCoyoteTimeLimit()))
    {
        state.jumpPressTime = GetTimeMs();
        return;
    }
    Sound()->playPreset(kJumpSound);
    player.body->addAcceleration(0.0f, player.stats->getJumpingForce(), 0.0f);
    // Closes the coyote window: a second press before landing is buffered, not a double jump.
    player.collider->resetLandingTime();
    state.jumpPressTime = 0;
}

void PlayerControllerSystem::onDash(const InputEvent&)
{
    if (!state.dying)
        state.dashPressTime = GetTimeMs();
}

void PlayerControllerSystem::onMoveUpNoClip(const InputEvent&)
{
    climb(1);
}

void PlayerControllerSystem::onMoveDownNoClip(const InputEvent&)
{
    climb(-1);
}

void PlayerControllerSystem::climb(int32_t direction)
{
    const DrivenParts player(Player());
    const float speed = player.body->getVelocity().y * static_cast<float>(direction);
    if (speed < player.body->getMaxVelocity().z)
    {
        const float push = player.stats->getPlayerAcceleration() * kNoClipPushShare * static_cast<float>(direction);
        player.body->addAcceleration(0.0f, push, 0.0f);
    }
}

void PlayerControllerSystem::onGodMode(const InputEvent&)
{
    state.godMode = !state.godMode;
}

void PlayerControllerSystem::onNoClip(const InputEvent&)
{
    state.noClip = !state.noClip;
}

bool PlayerControllerSystem::isDashing() const
{
    const int32_t duration = DrivenParts(Player()).stats->getDashDuration();
    return duration > 0 && ElapsedMs(GetTimeMs(), state.dashStartTime) < static_cast<uint64_t>(duration);
}

// Outside no-clip the flight actions are off and jump and dash are on again, unless the
// controls are switched off (comic, win, wipe).
void PlayerControllerSystem::swapCheatActions()
{
    if (state.noClip || controlsDisabled)
        return;
    EnableActions({kMoveUpNoClip, kMoveDownNoClip}, false);
    EnableActions({kDash, kJump}, true);
}

void PlayerControllerSystem::updateJumpBuffer(const DrivenParts& player)
{
    // 9. Queued jump: called directly, so it fires even while "Jump" is switched off.
    if (state.jumpQueued)
    {
        onJump(InputEvent{});
        state.jumpQueued = false;
    }
    // 10. Jump buffer: a recent press performs the jump one step after landing.
    if (!HasElapsed(state.jumpPressTime, player.stats->getBufferedJumpMaxTiming()) &&
        player.collider->isCollidingDown())
        state.jumpQueued = true;
}

void PlayerControllerSystem::updateDash(const DrivenParts& player, int64_t now)
{
    // 11. Dash start
    if (!HasElapsed(state.dashPressTime, player.stats->getBufferedDashMaxTiming()) && state.dashCharges > 0 &&
        state.inputDirection != 0)
        startDash(player, now);
    // 12.
    state.inputDirection = 0;
    // 13. Recharge
    if (player.collider->isCollidingDown() && HasElapsed(state.dashRechargeTime, player.stats->getDashCooldown()))
        state.dashCharges = player.stats->getMaxDashCharges();
    // 14. Dash motion: a fixed speed, no other force; a dash ends dead still, even in the air.
    if (!HasElapsed(state.dashStartTime, player.stats->getDashDuration()))
    {
        const float speed = player.stats->getDashVelocity();
        player.body->setAcceleration(0.0f, 0.0f, 0.0f);
        player.body->setVelocity(state.dashDirection < 1 ? -speed : speed, 0.0f, 0.0f);
    }
    else if (state.dashing)
    {
        state.dashAnimationLock = false;
        state.dashing = false;
        player.body->setVelocity(0.0f, 0.0f, 0.0f);
    }
}

void PlayerControllerSystem::startDash(const DrivenParts& player, int64_t now)
{
    Sound()->playPreset(kDashSound);
    --state.dashCharges;
    state.dashDirection = state.inputDirection;
    state.dashStartTime = now;
    state.dashRechargeTime = now;
    state.dashing = true;
    state.dashAnimationLock = true;
    state.dashPressTime = 0;
    // Chosen from the velocity before the dash sets it: moving right shows "DashLeftMid",
    // and a dash from standing still shows "DashRightMid" whatever its direction.
    if (!state.dying)
        player.animation->play(player.body->getVelocity().x > 0.0f ? kDashLeftMid : kDashRightMid);
}

void PlayerControllerSystem::updateGrounding(const DrivenParts& player)
{
    const bool grounded = player.collider->isCollidingDown();
    const float vx = player.body->getVelocity().x;
    // 15. Running sound
    if (grounded && static_cast<double>(vx) > -kStillSpeed && static_cast<double>(vx) < kStillSpeed)
        state.runSound.pause();
    // 16. Landing
    if (!state.wasGrounded && grounded)
    {
        SetEmitterActive(player.entity, kImpactEmitter, true);
        Sound()->playPreset(kLandSound);
    }
    state.wasGrounded = grounded;
    // 17. Animation: the dying body stays where it died.
    if (state.dying)
        player.body->setVelocity(0.0f, 0.0f, 0.0f);
    else if (!state.dashAnimationLock)
        updatePlayerAnimation(player);
}

void PlayerControllerSystem::updatePlayerAnimation(const DrivenParts& player)
{
    const glm::vec3 velocity = player.body->getVelocity();
    state.facing = NextFacing(state.facing, velocity.x);
    player.animation->setAnimation(ChooseAnimation(state.facing, velocity));
    player.animation->resume();
}
