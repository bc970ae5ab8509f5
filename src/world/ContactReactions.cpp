#include "world/ContactReactions.h"

#include "audio/SoundManager.h"
#include "engine/Engine.h"
#include "gameplay/PlayerControllerSystem.h"
#include "particles/EmitterListComp.h"
#include "world/BreakingPlatformComp.h"
#include "world/Entity.h"
#include "world/EntityFlags.h"
#include "world/EntityManager.h"
#include "world/MovingPlatformComp.h"
#include "world/StatsComp.h"
#include "world/TransformComp.h"
#include "world/TriggerComp.h"

using namespace EntityFlags;

namespace
{
// The emitter archetype name as the emitter file spells it.
const std::string kCheckpointEmitter = "Checkpoit";

PlayerControllerSystem* Controller()
{
    static const std::string name = PlayerControllerSystem::kName;
    return Engine::getSystem<PlayerControllerSystem>(name, PlayerControllerSystemNull::instance());
}

EmitterListComp* Emitters(Entity* entity)
{
    return entity->getComponent<EmitterListComp>(EmitterListComp::kName, EmitterListCompNull::instance());
}

bool CanDie(Entity* self)
{
    return !self->getFlag(kGodMode) && !self->getFlag(kRespawn);
}

void TakeCheckpoint(Entity* self, Entity* checkpoint)
{
    StatsComp* stats = self->getComponent<StatsComp>(StatsComp::kName, StatsCompNull::instance());
    const glm::vec3 spawn = stats->getSpawnPoint();
    const glm::vec3 place =
        checkpoint->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance())->getPosition();
    if (spawn.x == place.x && spawn.y == place.y)
        return;
    Emitters(checkpoint)->activateByArchetype(kCheckpointEmitter);
    EntityManager* manager = Engine::getSystem<EntityManager>(EntityManager::kName, EntityManagerNull::instance());
    Emitters(manager->getPlayer())->activateByArchetype(kCheckpointEmitter);
    Engine::getSystem<SoundManager>(SoundManager::kName, SoundManagerNull::instance())->playPreset("Checkpoint");
    stats->setSpawnPoint(glm::vec3(place.x, place.y, spawn.z));
    Emitters(manager->getPlayer())->activateByArchetype(kCheckpointEmitter);
}
}

void ReactToContact(Entity* self, Entity* other)
{
    other->getComponent<TriggerComp>(TriggerComp::kName, TriggerCompNull::instance())->onTrigger(self);
    if (!self->getFlag(kPlayer))
        return;
    if (other->getFlag(kHazard) && CanDie(self))
        self->setFlag(kRespawn, true);
    if (other->getFlag(kFirewall) && CanDie(self) && !Controller()->isDashing())
        self->setFlag(kRespawn, true);
    if (other->getFlag(kGoal))
        Controller()->winLevel(other);
    if (other->getFlag(kCheckpoint))
        TakeCheckpoint(self, other);
    if (other->getFlag(kPackage))
        Controller()->tryRecollectPackage();
}

void ReactToLanding(Entity* self, Entity* other)
{
    if (!self->getFlag(kPlayer))
        return;
    other->getComponent<BreakingPlatformComp>(BreakingPlatformComp::kName, BreakingPlatformCompNull::instance())->trigger();
    MovingPlatformComp* platform = other->getComponent<MovingPlatformComp>(MovingPlatformComp::kName, MovingPlatformCompNull::instance());
    if (platform->getTouchStart())
        platform->setMoving(true);
}
