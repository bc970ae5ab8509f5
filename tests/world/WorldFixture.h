#pragma once
// A windowless engine with the real EntityManager and recording stand-ins for the player
// controller and the sound manager, on a manual game clock.

#include "audio/SoundManager.h"
#include "engine/Engine.h"
#include "engine/GameClock.h"
#include "gameplay/PlayerControllerSystem.h"
#include "world/ColliderComp.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/PhysicsComp.h"
#include "world/StatsComp.h"
#include "world/TransformComp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace test
{
class FakeController : public PlayerControllerSystem
{
public:
    FakeController() { setName(kName); }
    bool justTeleported() const override { return teleported; }
    bool isDashing() const override { return dashing; }
    void winLevel(Entity* goal) override { wonAt.push_back(goal); }
    void tryRecollectPackage() override { ++recollects; }
    void startLevelTimer() override { ++levelStarts; }

    bool teleported = false;
    bool dashing = false;
    std::vector<Entity*> wonAt;
    int recollects = 0;
    int levelStarts = 0;
};

class FakeSound : public SoundManager
{
public:
    FakeSound() { setName(kName); }
    void initialize() override {}
    void shutdown() override {}
    SoundReceipt playPreset(std::string name) override
    {
        played.push_back(name);
        return SoundReceipt();
    }
    std::vector<std::string> played;
};

class WorldFixture : public ::testing::Test
{
protected:
    WorldFixture()
    {
        engine.makeCurrent();
        GameClock::setManualSeconds(100.0);
        engine.registerSystem(manager);
        engine.registerSystem(&controller);
        engine.registerSystem(&sound);
    }
    ~WorldFixture() override
    {
        manager->clearActive();
        engine.shutdown();
        GameClock::useRealClock();
    }

    // A body with a transform, physics and collider; "dynamic" and "gravity" on request.
    Entity* makeBody(glm::vec3 position, glm::vec3 scale, bool dynamic)
    {
        auto* entity = new Entity();
        auto* transform = new TransformComp();
        transform->setPosition(position);
        transform->setPreviousPosition(position);
        transform->setScale(scale);
        entity->addComponent(transform);
        entity->addComponent(new PhysicsComp());
        entity->addComponent(new ColliderComp());
        if (dynamic)
        {
            entity->setFlag("dynamic", true);
            entity->setFlag("gravity", true);
        }
        return entity;
    }

    Entity* makePlayer(glm::vec3 position)
    {
        Entity* player = makeBody(position, glm::vec3(1.0f), true);
        player->setFlag("player", true);
        auto* stats = new StatsComp();
        stats->setEdgeSmudgeMargin(glm::vec2(0.4f, 0.5f));
        player->addComponent(stats);
        return player;
    }

    static TransformComp* transformOf(Entity* entity)
    {
        return entity->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
    }
    static PhysicsComp* bodyOf(Entity* entity)
    {
        return entity->getComponent<PhysicsComp>(PhysicsComp::kName, PhysicsCompNull::instance());
    }
    static ColliderComp* colliderOf(Entity* entity)
    {
        return entity->getComponent<ColliderComp>(ColliderComp::kName, ColliderCompNull::instance());
    }

    void step(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            manager->update();
    }

    Engine engine{"World", 800, 600, 10000};
    EntityManager* manager = EntityManager::getInstance();
    FakeController controller;
    FakeSound sound;
};
}
