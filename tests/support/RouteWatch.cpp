#include "support/RouteWatch.h"

#include "gameplay/PlayerControllerSystem.h"
#include "support/GameRig.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/StatsComp.h"

#include <algorithm>

namespace test
{
void RouteWatch::start()
{
    spawns = {spawnPoint()};
    cheated = false;
    steps = 0;
}

void RouteWatch::step()
{
    if (spawns.empty())
        return;
    ++steps;
    const glm::vec3 spawn = spawnPoint();
    if (spawn != spawns.back())
        spawns.push_back(spawn);
    PlayerControllerSystem* controller = PlayerControllerSystem::getInstance();
    cheated = cheated || controller->getGodMode() || controller->getNoClip();
}

std::vector<float> RouteWatch::taken() const
{
    std::vector<float> xs;
    for (size_t i = 1; i < spawns.size(); ++i)
        xs.push_back(spawns[i].x);
    return xs;
}

std::vector<float> RouteWatch::levelCheckpoints()
{
    std::vector<float> xs;
    for (Entity* checkpoint : EntityManager::getInstance()->findAllWithFlag("checkpoint"))
        xs.push_back(PositionOf(checkpoint).x);
    std::sort(xs.begin(), xs.end());
    return xs;
}

glm::vec3 RouteWatch::spawnPoint() const
{
    return rig.player()->getComponent<StatsComp>(StatsComp::kName, StatsCompNull::instance())->getSpawnPoint();
}
}
