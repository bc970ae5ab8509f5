#include "WorldFixture.h"
#include "world/BreakingPlatformComp.h"
#include "world/DeathWall.h"
#include "world/MovingPlatformComp.h"
#include "world/TriggerComp.h"
#include "world/WaypointComp.h"

#include <gtest/gtest.h>

#include <memory>

class PlatformTest : public test::WorldFixture
{
protected:
    Entity* makeWaypoint(uint32_t id, uint32_t next, float speed, glm::vec3 position)
    {
        auto* entity = new Entity();
        auto* transform = new TransformComp();
        transform->setPosition(position);
        entity->addComponent(transform);
        auto* waypoint = new WaypointComp();
        waypoint->setWaypointID(id);
        waypoint->setNextWaypointID(next);
        waypoint->setSpeed(speed);
        entity->addComponent(waypoint);
        return entity;
    }

    MovingPlatformComp* makeMover(Entity* entity, int32_t target, float speed)
    {
        auto* mover = new MovingPlatformComp();
        mover->setTargetWaypointID(target);
        mover->setTargetSpeed(speed);
        entity->addComponent(mover);
        return mover;
    }
};

TEST_F(PlatformTest, PlatformFollowsItsRouteWithEachLegsSpeed)
{
    makeWaypoint(1, 2, 0.1f, glm::vec3(1.0f, 0.0f, 0.0f));
    makeWaypoint(2, 1, 0.2f, glm::vec3(1.0f, 1.0f, 0.0f));
    Entity* platform = makeBody(glm::vec3(0.0f), glm::vec3(2.0f, 0.5f, 1.0f), false);
    MovingPlatformComp* mover = makeMover(platform, 1, 0.25f);

    step();
    EXPECT_NEAR(transformOf(platform)->getPosition().x, 0.25f, 1e-5f);
    step(3);
    // The fourth step lands exactly on waypoint 1 and retargets to 2 at waypoint 1's speed.
    EXPECT_NEAR(transformOf(platform)->getPosition().x, 1.0f, 1e-5f);
    EXPECT_EQ(mover->getTargetWaypointID(), 2);
    EXPECT_FLOAT_EQ(mover->getTargetSpeed(), 0.1f);
    step();
    EXPECT_NEAR(transformOf(platform)->getPosition().y, 0.1f, 1e-5f);
    step(9);
    EXPECT_NEAR(transformOf(platform)->getPosition().y, 1.0f, 1e-4f);
    EXPECT_EQ(mover->getTargetWaypointID(), 1);
    EXPECT_FLOAT_EQ(mover->getTargetSpeed(), 0.2f);
}

TEST_F(PlatformTest, ParkedOrWaitingPlatformsStayPut)
{
    makeWaypoint(1, 1, 0.1f, glm::vec3(5.0f, 0.0f, 0.0f));
    Entity* parked = makeBody(glm::vec3(0.0f), glm::vec3(1.0f), false);
    makeMover(parked, -1, 0.1f);
    bodyOf(parked)->setVelocity(1.0f, 0.0f, 0.0f);
    Entity* waiting = makeBody(glm::vec3(0.0f, 5.0f, 0.0f), glm::vec3(1.0f), false);
    makeMover(waiting, 1, 0.1f)->setMoving(false);

    step(5);
    EXPECT_EQ(transformOf(parked)->getPosition(), glm::vec3(0.0f));
    EXPECT_EQ(transformOf(waiting)->getPosition(), glm::vec3(0.0f, 5.0f, 0.0f));
}

TEST_F(PlatformTest, UnknownWaypointDrawsThePlatformTowardTheOrigin)
{
    Entity* platform = makeBody(glm::vec3(1.0f, 0.0f, 0.0f), glm::vec3(1.0f), false);
    makeMover(platform, 7, 0.1f);
    step();
    EXPECT_NEAR(transformOf(platform)->getPosition().x, 0.9f, 1e-5f);
}

TEST_F(PlatformTest, RiderIsCarriedByThePlatformItStandsOn)
{
    makeWaypoint(1, 1, 0.05f, glm::vec3(100.0f, 0.0f, 0.0f));
    Entity* platform = makeBody(glm::vec3(0.0f), glm::vec3(6.0f, 1.0f, 1.0f), false);
    makeMover(platform, 1, 0.05f);
    Entity* rider = makeBody(glm::vec3(0.0f, 1.0f, 0.0f), glm::vec3(1.0f), true);
    step(21);
    // The platform gets its velocity in the first step's update; the rider collects it on
    // landing in step 2 and is carried from step 3 on: 19 legs of 0.05.
    EXPECT_NEAR(transformOf(platform)->getPosition().x, 1.05f, 1e-4f);
    EXPECT_NEAR(transformOf(rider)->getPosition().x, 0.95f, 1e-4f);
}

TEST_F(PlatformTest, BreakingPlatformBreaksAfterItsDelayAndComesBack)
{
    Entity* platform = makeBody(glm::vec3(0.0f), glm::vec3(2.0f, 1.0f, 1.0f), false);
    auto* breaking = new BreakingPlatformComp();
    platform->addComponent(breaking);

    GameClock::setManualSeconds(1.0);
    breaking->trigger();
    GameClock::setManualSeconds(3.5);
    breaking->trigger();
    GameClock::setManualSeconds(4.0);
    step();
    EXPECT_FALSE(platform->getFlag("inactive"));
    GameClock::setManualSeconds(4.001);
    step();
    EXPECT_TRUE(platform->getFlag("inactive"));
    EXPECT_EQ(sound.played, std::vector<std::string>{"BreakingPlatformSound"});

    GameClock::setManualSeconds(7.001);
    step();
    EXPECT_TRUE(platform->getFlag("inactive"));
    GameClock::setManualSeconds(7.002);
    step();
    EXPECT_FALSE(platform->getFlag("inactive"));
    EXPECT_FALSE(breaking->isTriggered());
}

TEST_F(PlatformTest, NegativeDelaysCountAsZero)
{
    BreakingPlatformComp breaking;
    breaking.setTimeTillBreak(-500);
    breaking.setTimeTillRespawn(-1);
    EXPECT_EQ(breaking.getTimeTillBreak(), 0);
    EXPECT_EQ(breaking.getTimeTillRespawn(), 0);
}

TEST_F(PlatformTest, DeathWallStartsOnlyTheFirstWallAndOnlyForThePlayer)
{
    Entity* firstWall = makeBody(glm::vec3(-50.0f, 0.0f, 0.0f), glm::vec3(1.0f), false);
    firstWall->setFlag("deathwall", true);
    MovingPlatformComp* firstMover = makeMover(firstWall, -1, 0.1f);
    firstMover->setMoving(false);
    Entity* secondWall = makeBody(glm::vec3(-60.0f, 0.0f, 0.0f), glm::vec3(1.0f), false);
    secondWall->setFlag("deathwall", true);
    MovingPlatformComp* secondMover = makeMover(secondWall, -1, 0.1f);
    secondMover->setMoving(false);

    Entity* trigger = makeBody(glm::vec3(0.0f), glm::vec3(2.0f), false);
    colliderOf(trigger)->setSolid(false);
    auto* triggerComp = new TriggerComp();
    triggerComp->addBehavior("DeathWall", std::make_shared<DeathWall>(), true);
    trigger->addComponent(triggerComp);

    Entity* package = makeBody(glm::vec3(0.5f, 0.0f, 0.0f), glm::vec3(1.0f), true);
    package->setFlag("gravity", false);
    step();
    EXPECT_FALSE(firstMover->isMoving());

    Entity* player = makePlayer(glm::vec3(-0.5f, 0.0f, 0.0f));
    player->setFlag("gravity", false);
    step(2);
    EXPECT_TRUE(firstMover->isMoving());
    EXPECT_FALSE(secondMover->isMoving());
    // The trigger does not block.
    EXPECT_EQ(colliderOf(player)->getPenetration(), glm::vec3(0.0f));
}

TEST_F(PlatformTest, TriggerClonesShareTheirBehaviours)
{
    TriggerComp trigger;
    auto wall = std::make_shared<DeathWall>();
    trigger.addBehavior("DeathWall", wall, true);
    Component* copy = trigger.clone();
    auto* copiedTrigger = static_cast<TriggerComp*>(copy);
    EXPECT_EQ(copiedTrigger->getBehavior("DeathWall"), wall.get());
    EXPECT_TRUE(copiedTrigger->isBehaviorEnabled("DeathWall"));
    EXPECT_FALSE(copiedTrigger->isBehaviorEnabled("Other"));
    EXPECT_FALSE(TriggerCompNull::instance()->isBehaviorEnabled("DeathWall"));
    delete copy;
    EXPECT_EQ(wall.use_count(), 2);
}
