#include "world/DeathWall.h"

#include "engine/Engine.h"
#include "world/Entity.h"
#include "world/EntityFlags.h"
#include "world/EntityManager.h"
#include "world/MovingPlatformComp.h"

void DeathWall::onTrigger(Entity* owner, Entity* other)
{
    if (!enabled || !(other->getFlag(EntityFlags::kPlayer) || owner->getFlag(EntityFlags::kPlayer)))
        return;
    EntityManager* manager = Engine::getSystem<EntityManager>(EntityManager::kName, EntityManagerNull::instance());
    for (uint32_t id : manager->getActiveIds())
    {
        Entity* candidate = manager->findById(id);
        if (candidate->getFlag(EntityFlags::kDeathWall))
        {
            ActivateMovingPlatform(candidate);
            return;
        }
    }
}

DeathWallNull* DeathWallNull::instance()
{
    static DeathWallNull null;
    return &null;
}
