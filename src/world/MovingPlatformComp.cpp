#include "world/MovingPlatformComp.h"

#include "engine/Engine.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/PhysicsComp.h"
#include "world/TransformComp.h"
#include "world/WaypointComp.h"

#include <iostream>

namespace
{
EntityManager* Manager()
{
    static const std::string name = EntityManager::kName;
    return Engine::getSystem<EntityManager>(name, EntityManagerNull::instance());
}
}

void MovingPlatformComp::debugPrint() const
{
    std::cout << "MovingPlatform: \n";
    std::cout << "MovingPlatform End: \n";
}

Component* MovingPlatformComp::clone() const
{
    auto* copy = new MovingPlatformComp();
    copy->moving = moving;
    copy->targetSpeed = targetSpeed;
    copy->targetPosition = targetPosition;
    copy->waypointEntityId = waypointEntityId;
    return copy;
}

void MovingPlatformComp::setTargetSpeed(float value)
{
    targetSpeed = value;
    dirty = true;
}

void MovingPlatformComp::setMoving(bool value)
{
    moving = value;
    dirty = true;
}

void MovingPlatformComp::setTouchStart(bool value)
{
    touchStart = value;
    dirty = true;
}

void MovingPlatformComp::setTargetWaypointID(int32_t value)
{
    targetWaypointId = value;
    dirty = true;
}

// A waypoint found by number is remembered by entity id; until one is found the lookup by
// number repeats every step.
Entity* MovingPlatformComp::findTarget()
{
    if (!dirty)
        return Manager()->findById(static_cast<uint32_t>(waypointEntityId));
    Entity* waypoint = Manager()->findWaypoint(targetWaypointId);
    if (!waypoint->isNull())
    {
        waypointEntityId = static_cast<int32_t>(waypoint->getId());
        dirty = false;
    }
    return waypoint;
}

void MovingPlatformComp::update()
{
    Entity* owner = getOwner();
    TransformComp* transform = owner->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
    PhysicsComp* body = owner->getComponent<PhysicsComp>(PhysicsComp::kName, PhysicsCompNull::instance());
    if (targetWaypointId < 0)
    {
        body->setVelocity(glm::vec3(0.0f));
        return;
    }
    Entity* target = findTarget();
    targetPosition = target->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance())->getPosition();
    const glm::vec3 d = targetPosition - transform->getPosition();
    const float dist = glm::length(d);
    glm::vec3 velocity;
    if (dist <= targetSpeed)
    {
        velocity = d;
        Entity* reached = Manager()->findWaypoint(targetWaypointId);
        dirty = true;
        WaypointComp* waypoint = reached->getComponent<WaypointComp>(WaypointComp::kName, WaypointCompNull::instance());
        targetWaypointId = static_cast<int32_t>(waypoint->getNextWaypointID());
        targetSpeed = waypoint->getSpeed();
    }
    else
    {
        velocity = d / dist * targetSpeed;
    }
    body->setVelocity(moving ? velocity : glm::vec3(0.0f));
}

MovingPlatformCompNull* MovingPlatformCompNull::instance()
{
    static MovingPlatformCompNull null;
    return &null;
}

void ActivateMovingPlatform(Entity* entity)
{
    entity->getComponent<MovingPlatformComp>(MovingPlatformComp::kName, MovingPlatformCompNull::instance())->setMoving(true);
}
