#include "support/Pilot.h"

#include "input/InputSystem.h"
#include "support/GameRig.h"
#include "support/PilotControls.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/MovingPlatformComp.h"

#include <cmath>

namespace test
{
void Pilot::steer(float x)
{
    const float v = rig.playerVelocity().x;
    const float push = rig.playerGrounded() ? 0.012f : 0.005f;
    const float rest = rig.playerPosition().x + v * std::abs(v) / (2.0f * push);
    stop();
    if (rest < x - 0.15f)
        controls.holdRight();
    else if (rest > x + 0.15f)
        controls.holdLeft();
}

void Pilot::stop()
{
    controls.letGoOfDirections();
}

bool Pilot::runTo(float x, int budget)
{
    return rig.stepUntil([&] { steer(x); return std::abs(rig.playerPosition().x - x) < 0.3f; }, budget);
}

bool Pilot::land(int budget)
{
    return rig.stepUntil([&] { return rig.playerGrounded(); }, budget);
}

bool Pilot::jumpTo(float x)
{
    rig.step(3);
    steer(x);
    controls.tapJump();
    for (int i = 0; i < 4; ++i)
    {
        steer(x);
        rig.step();
    }
    return rig.stepUntil([&] { steer(x); return rig.playerGrounded(); }, 600);
}

bool Pilot::dashFrom(float x)
{
    runTo(x);
    stop();
    rig.step(30);
    controls.holdRight();
    controls.tapDash();
    rig.step(22);
    stop();
    return land();
}

bool Pilot::throwAndTeleport(const glm::vec3& target)
{
    stop();
    controls.aimAt(rig.playerPosition(), target);
    rig.step(10);
    controls.throwNow();
    rig.step();
    const bool rests = waitForPackageToRest();
    controls.tapTeleport();
    return rests && land();
}

bool Pilot::throwAtAngle(float degrees)
{
    stop();
    rig.stepUntil([&] { return rig.playerGrounded() && std::abs(rig.playerVelocity().x) < 0.001f; }, 300);
    const float radians = glm::radians(degrees);
    return throwAndTeleport(rig.playerPosition() + 4.0f * glm::vec3(std::cos(radians), std::sin(radians), 0.0f));
}

bool Pilot::rideUpTo(float y, float x)
{
    const bool above = rig.stepUntil([&] {
        steer(PositionOf(platformUnderPlayer()).x);
        return rig.playerPosition().y - 0.75f > y;
    }, 1500);
    return above && rig.stepUntil([&] { steer(x); return rig.playerGrounded() && rig.playerPosition().x > x - 1.0f; },
                                  300);
}

bool Pilot::rideUntil(float x, int budget)
{
    return rig.stepUntil([&] {
        steer(PositionOf(platformUnderPlayer()).x);
        return rig.playerPosition().x >= x;
    }, budget);
}

bool Pilot::waitForRespawn()
{
    stop();
    return rig.stepUntil([&] { return !rig.player()->getFlag("respawn"); }, 800) && land();
}

bool Pilot::waitForControls(int budget)
{
    return rig.stepUntil([&] { return InputSystem::getInstance()->isActionEnabled("MoveRight"); }, budget);
}

glm::vec3 Pilot::packagePosition() const
{
    return PositionOf(EntityManager::getInstance()->getPackage());
}

bool Pilot::waitForPackageToRest()
{
    glm::vec3 last = packagePosition();
    int stillSteps = 0;
    return rig.stepUntil([&] {
        const glm::vec3 now = packagePosition();
        stillSteps = glm::length(now - last) < 0.001f ? stillSteps + 1 : 0;
        last = now;
        return stillSteps >= 5;
    }, 600);
}

Entity* Pilot::platformUnderPlayer() const
{
    EntityManager* entities = EntityManager::getInstance();
    Entity* nearest = EntityNull::instance();
    float best = 1e9f;
    for (uint32_t id : entities->getActiveIds())
    {
        Entity* entity = entities->findById(id);
        if (!entity->getComponents().count(MovingPlatformComp::kName))
            continue;
        const float distance = glm::length(PositionOf(entity) - rig.playerPosition());
        if (distance < best)
        {
            best = distance;
            nearest = entity;
        }
    }
    return nearest;
}
}
