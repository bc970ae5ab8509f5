// One fixed step of the world: EntityManager::update over a level of 500 entities of which 5
// are dynamic bodies (resting, walking and falling), with moving platforms and waypoints.
// Budget: 1 ms a step, and no heap allocation on the step's path (counted below).

#include "engine/Engine.h"
#include "engine/GameClock.h"
#include "world/BreakingPlatformComp.h"
#include "world/ColliderComp.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/MovingPlatformComp.h"
#include "world/PhysicsComp.h"
#include "world/StatsComp.h"
#include "world/TransformComp.h"
#include "world/WaypointComp.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<long> gAllocations{0};
}

// The counting allocator pairs malloc with free itself; the compiler cannot see that pairing.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size)
{
    ++gAllocations;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace
{
constexpr int kEntities = 500;
constexpr int kDynamicBodies = 5;
constexpr int kPlatforms = 10;

Entity* MakeBody(glm::vec3 position, glm::vec3 scale)
{
    auto* entity = new Entity();
    auto* transform = new TransformComp();
    transform->setPosition(position);
    transform->setScale(scale);
    entity->addComponent(transform);
    entity->addComponent(new ColliderComp());
    return entity;
}

void BuildLevel()
{
    // Five dynamic bodies: a player walking, two resting boxes, two falling boxes.
    for (int i = 0; i < kDynamicBodies; ++i)
    {
        Entity* body = MakeBody(glm::vec3(5.0f + i * 7.0f, i < 3 ? 1.0f : 20.0f, 0.0f), glm::vec3(1.0f));
        auto* physics = new PhysicsComp();
        if (i == 0)
            physics->setVelocity(0.05f, 0.0f, 0.0f);
        body->addComponent(physics);
        auto* stats = new StatsComp();
        stats->setEdgeSmudgeMargin(glm::vec2(0.4f, 0.5f));
        body->addComponent(stats);
        body->setFlag("dynamic", true);
        body->setFlag("gravity", true);
        body->setFlag(i == 0 ? "player" : "package", i == 0);
    }
    // Moving platforms with a pair of waypoints each, and breaking platforms.
    for (int i = 0; i < kPlatforms; ++i)
    {
        const float x = 100.0f + i * 20.0f;
        Entity* platform = MakeBody(glm::vec3(x, 5.0f, 0.0f), glm::vec3(3.0f, 0.5f, 1.0f));
        platform->addComponent(new PhysicsComp());
        auto* mover = new MovingPlatformComp();
        mover->setTargetWaypointID(2 * i);
        mover->setTargetSpeed(0.05f);
        platform->addComponent(mover);
        for (int w = 0; w < 2; ++w)
        {
            auto* waypoint = new Entity();
            auto* transform = new TransformComp();
            transform->setPosition(x + w * 8.0f, 5.0f, 0.0f);
            waypoint->addComponent(transform);
            auto* stop = new WaypointComp();
            stop->setWaypointID(static_cast<uint32_t>(2 * i + w));
            stop->setNextWaypointID(static_cast<uint32_t>(2 * i + 1 - w));
            stop->setSpeed(0.05f);
            waypoint->addComponent(stop);
        }
        MakeBody(glm::vec3(x + 10.0f, 9.0f, 0.0f), glm::vec3(2.0f, 0.5f, 1.0f))->addComponent(new BreakingPlatformComp());
    }
    // The rest is ground: a floor of tiles and scattered blocks.
    const int placed = kDynamicBodies + kPlatforms * 4;
    for (int i = 0; i < kEntities - placed; ++i)
        MakeBody(glm::vec3(i * 1.0f, i % 4 == 0 ? 0.0f : -3.0f - (i % 7), 0.0f), glm::vec3(1.0f));
}

void BM_EntityManagerUpdate(benchmark::State& state)
{
    Engine engine("Bench", 800, 600, 10000);
    engine.makeCurrent();
    EntityManager* manager = EntityManager::getInstance();
    engine.registerSystem(manager);
    GameClock::setManualSeconds(100.0);
    BuildLevel();
    // Let the bodies settle and the platforms find their waypoints before timing.
    for (int i = 0; i < 10; ++i)
        manager->update();

    const long before = gAllocations.load();
    for (auto _ : state)
    {
        manager->update();
        GameClock::advanceManualSeconds(0.01);
    }
    const long allocations = gAllocations.load() - before;
    state.counters["entities"] = manager->getEntityCount();
    state.counters["allocations_per_step"] =
        benchmark::Counter(static_cast<double>(allocations) / static_cast<double>(state.iterations()));
    manager->shutdown();
    GameClock::useRealClock();
}
BENCHMARK(BM_EntityManagerUpdate)->Unit(benchmark::kMicrosecond);
}
