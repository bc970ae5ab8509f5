#include "world/TestCollision.h"

#include "engine/TimeHelpers.h"
#include "world/ColliderComp.h"
#include "world/Entity.h"
#include "world/PhysicsComp.h"
#include "world/StatsComp.h"
#include "world/TransformComp.h"

#include <cmath>

namespace
{
constexpr float kDepthTolerance = 0.5f;

CollisionResult ResolveHorizontal(ColliderComp* collider, float dx, float overlap)
{
    if (dx > 0.0f)
    {
        collider->addPenetration(glm::vec3(overlap, 0.0f, 0.0f));
        collider->markRight();
        return COLLISION_RIGHT;
    }
    collider->addPenetration(glm::vec3(-overlap, 0.0f, 0.0f));
    collider->markLeft();
    return COLLISION_LEFT;
}
}

bool BoxesOverlap(const TransformComp& a, const TransformComp& b)
{
    const glm::vec3 pA = a.getPosition();
    const glm::vec3 pB = b.getPosition();
    if (std::fabs(pA.z - pB.z) > kDepthTolerance)
        return false;
    const glm::vec3 sA = a.getScale();
    const glm::vec3 sB = b.getScale();
    return sB.x * 0.5f + sA.x * 0.5f - std::fabs(pB.x - pA.x) > 0.0f &&
           sB.y * 0.5f + sA.y * 0.5f - std::fabs(pB.y - pA.y) > 0.0f;
}

// Plan: other depth layer or boxes apart give None; a non-solid side gives Overlap; otherwise
// a is pushed out along the axis it intrudes least on (with the ledge and ceiling-corner
// allowances); an ordinary landing also hands a the ground's friction and motion.
CollisionResult TestCollision(Entity* a, Entity* b)
{
    TransformComp* transformA = a->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
    TransformComp* transformB = b->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
    const glm::vec3 pA = transformA->getPosition();
    const glm::vec3 pB = transformB->getPosition();
    if (std::fabs(pA.z - pB.z) > kDepthTolerance)
        return COLLISION_NONE;

    const glm::vec3 sA = transformA->getScale();
    const glm::vec3 sB = transformB->getScale();
    const float dx = pB.x - pA.x;
    const float dy = pB.y - pA.y;
    float overlapX = sB.x * 0.5f + sA.x * 0.5f - std::fabs(dx);
    const float overlapY = sB.y * 0.5f + sA.y * 0.5f - std::fabs(dy);
    if (overlapX <= 0.0f || overlapY <= 0.0f)
        return COLLISION_NONE;

    ColliderComp* colliderA = a->getComponent<ColliderComp>(ColliderComp::kName, ColliderCompNull::instance());
    ColliderComp* colliderB = b->getComponent<ColliderComp>(ColliderComp::kName, ColliderCompNull::instance());
    if (!colliderB->isSolid() || !colliderA->isSolid())
        return COLLISION_OVERLAP;

    PhysicsComp* bodyA = a->getComponent<PhysicsComp>(PhysicsComp::kName, PhysicsCompNull::instance());
    const glm::vec2 margin = a->getComponent<StatsComp>(StatsComp::kName, StatsCompNull::instance())->getEdgeSmudgeMargin();

    if (overlapY > overlapX)
    {
        // Walking into a low ledge lifts the body onto it instead of stopping it.
        if (margin.y > overlapY && dy < 0.0f && bodyA->getVelocity().y <= 0.0f)
        {
            colliderA->addPenetration(glm::vec3(0.0f, -overlapY * 0.5f, 0.0f));
            colliderA->markDown();
            return COLLISION_DOWN;
        }
        return ResolveHorizontal(colliderA, dx, overlapX);
    }

    // Clipping a ceiling corner slides the body sideways past it instead of stopping the jump.
    if (margin.x > overlapX && dy > 0.0f)
    {
        overlapX *= 0.5f;
        return ResolveHorizontal(colliderA, dx, overlapX);
    }
    if (dy > 0.0f)
    {
        colliderA->addPenetration(glm::vec3(0.0f, overlapY, 0.0f));
        colliderA->markUp();
        return COLLISION_UP;
    }
    colliderA->addPenetration(glm::vec3(0.0f, -overlapY, 0.0f));
    colliderA->markDown();
    colliderA->setGroundFriction(colliderB->getFriction());
    bodyA->addCarried(b->getComponent<PhysicsComp>(PhysicsComp::kName, PhysicsCompNull::instance())->getVelocity());
    colliderA->setLandingTime(GetTimeMs());
    return COLLISION_DOWN;
}
