#include "WorldFixture.h"
#include "particles/EmitterListComp.h"
#include "particles/ParticleEmitter.h"
#include "world/BreakingPlatformComp.h"
#include "world/MovingPlatformComp.h"

#include <gtest/gtest.h>

using PhysicsStepTest = test::WorldFixture;

namespace
{
constexpr float kTolerance = 1e-5f;
}

TEST_F(PhysicsStepTest, BodyRestsOnFloorWithoutSinkingOrBouncing)
{
    Entity* box = makeBody(glm::vec3(0.0f, 1.0f, 0.0f), glm::vec3(1.0f), true);
    makeBody(glm::vec3(0.0f), glm::vec3(10.0f, 1.0f, 1.0f), false);
    step(100);
    EXPECT_NEAR(transformOf(box)->getPosition().y, 1.0f, kTolerance);
    EXPECT_NEAR(bodyOf(box)->getVelocity().y, 0.0f, kTolerance);
    EXPECT_TRUE(colliderOf(box)->isCollidingDown());
}

TEST_F(PhysicsStepTest, FallingBodyLandsOnTheFloorSurface)
{
    Entity* box = makeBody(glm::vec3(0.0f, 1.05f, 0.0f), glm::vec3(1.0f), true);
    bodyOf(box)->setVelocity(0.0f, -0.1f, 0.0f);
    makeBody(glm::vec3(0.0f), glm::vec3(10.0f, 1.0f, 1.0f), false);

    step();
    // Gravity makes -0.106; the 0.056 intrusion is taken off so the move ends on the surface.
    EXPECT_NEAR(transformOf(box)->getPosition().y, 1.0f, kTolerance);
    EXPECT_NEAR(bodyOf(box)->getVelocity().y, -0.05f, kTolerance);
    step();
    EXPECT_NEAR(transformOf(box)->getPosition().y, 1.0f, kTolerance);
    EXPECT_NEAR(bodyOf(box)->getVelocity().y, 0.0f, kTolerance);
}

TEST_F(PhysicsStepTest, PushOutOfAnOverlapLastsOneStep)
{
    Entity* box = makeBody(glm::vec3(0.0f, 0.9f, 0.0f), glm::vec3(1.0f), true);
    makeBody(glm::vec3(0.0f), glm::vec3(10.0f, 1.0f, 1.0f), false);

    step();
    // Pushed up by the 0.106 intrusion, then the push is taken back out of the velocity.
    EXPECT_NEAR(transformOf(box)->getPosition().y, 1.0f, kTolerance);
    EXPECT_NEAR(bodyOf(box)->getVelocity().y, -0.006f, kTolerance);
    step();
    EXPECT_NEAR(transformOf(box)->getPosition().y, 1.0f, kTolerance);
}

TEST_F(PhysicsStepTest, PlayerFloatsAtTheApexWithAThirdOfGravity)
{
    Entity* player = makePlayer(glm::vec3(0.0f, 10.0f, 0.0f));
    Entity* box = makeBody(glm::vec3(5.0f, 10.0f, 0.0f), glm::vec3(1.0f), true);
    bodyOf(player)->setVelocity(0.0f, 0.03f, 0.0f);
    bodyOf(box)->setVelocity(0.0f, 0.03f, 0.0f);
    step();
    EXPECT_NEAR(bodyOf(player)->getVelocity().y, 0.028f, 1e-6f);
    EXPECT_NEAR(bodyOf(box)->getVelocity().y, 0.024f, 1e-6f);

    // -0.04f is just inside 0.04 in double precision, though not in single precision.
    bodyOf(player)->setVelocity(0.0f, -0.04f, 0.0f);
    step();
    EXPECT_NEAR(bodyOf(player)->getVelocity().y, -0.042f, 1e-6f);
    step();
    EXPECT_NEAR(bodyOf(player)->getVelocity().y, -0.048f, 1e-6f);
}

TEST_F(PhysicsStepTest, NoGravityRightAfterATeleport)
{
    Entity* player = makePlayer(glm::vec3(0.0f, 10.0f, 0.0f));
    controller.teleported = true;
    step();
    EXPECT_EQ(bodyOf(player)->getVelocity().y, 0.0f);
}

TEST_F(PhysicsStepTest, GravityStopsAtTheFallLimit)
{
    Entity* box = makeBody(glm::vec3(0.0f, 10.0f, 0.0f), glm::vec3(1.0f), true);
    bodyOf(box)->setMaxVelocity(glm::vec3(100.0f, 0.1f, 100.0f));
    bodyOf(box)->setVelocity(0.0f, -0.1f, 0.0f);
    step();
    EXPECT_FLOAT_EQ(bodyOf(box)->getVelocity().y, -0.1f);

    bodyOf(box)->setVelocity(0.0f, -0.099f, 0.0f);
    step();
    EXPECT_NEAR(bodyOf(box)->getVelocity().y, -0.105f, 1e-6f);
}

TEST_F(PhysicsStepTest, DragIsGroundFrictionOnTheFloorAndAirDragAbove)
{
    Entity* walker = makeBody(glm::vec3(0.0f, 1.0f, 0.0f), glm::vec3(1.0f), true);
    Entity* flyer = makeBody(glm::vec3(20.0f, 10.0f, 0.0f), glm::vec3(1.0f), true);
    makeBody(glm::vec3(0.0f), glm::vec3(10.0f, 1.0f, 1.0f), false);
    step();
    bodyOf(walker)->setVelocity(0.1f, 0.0f, 0.0f);
    bodyOf(flyer)->setVelocity(0.1f, 0.0f, 0.0f);
    step();
    // (ground 0.07 + own 0.07) / 2 on the floor; 0.01 in the air.
    EXPECT_NEAR(bodyOf(walker)->getVelocity().x, 0.093f, 1e-6f);
    EXPECT_NEAR(bodyOf(flyer)->getVelocity().x, 0.099f, 1e-6f);
}

TEST_F(PhysicsStepTest, NoClipPassesThroughEverythingAtTwiceItsVelocity)
{
    Entity* ghost = makeBody(glm::vec3(0.0f, 1.0f, 0.0f), glm::vec3(1.0f), true);
    ghost->setFlag("noClip", true);
    makeBody(glm::vec3(0.0f, 1.0f, 0.0f), glm::vec3(10.0f, 10.0f, 1.0f), false);
    bodyOf(ghost)->setVelocity(0.1f, 0.1f, 0.0f);
    step();
    // Vertical drag equals horizontal drag; no gravity; both moves apply.
    EXPECT_NEAR(bodyOf(ghost)->getVelocity().y, 0.099f, 1e-6f);
    EXPECT_NEAR(transformOf(ghost)->getPosition().x, 0.198f, kTolerance);
    EXPECT_NEAR(transformOf(ghost)->getPosition().y, 1.198f, kTolerance);
    EXPECT_FALSE(colliderOf(ghost)->isCollidingDown());
}

TEST_F(PhysicsStepTest, StaticBodyFollowsItsCarriedMotionButDoesNotFall)
{
    Entity* platform = makeBody(glm::vec3(0.0f), glm::vec3(2.0f, 1.0f, 1.0f), false);
    bodyOf(platform)->setVelocity(0.1f, 0.0f, 0.0f);
    step();
    EXPECT_NEAR(transformOf(platform)->getPosition().x, 0.1f, kTolerance);
    EXPECT_EQ(transformOf(platform)->getPosition().y, 0.0f);
}

TEST_F(PhysicsStepTest, SqueezedFromBothSidesGetsNoCorrectionOnThatAxis)
{
    Entity* box = makeBody(glm::vec3(0.0f, 0.0f, 0.0f), glm::vec3(1.0f, 1.0f, 1.0f), true);
    box->setFlag("gravity", false);
    makeBody(glm::vec3(0.0f, 0.9f, 0.0f), glm::vec3(4.0f, 1.0f, 1.0f), false);
    makeBody(glm::vec3(0.0f, -0.9f, 0.0f), glm::vec3(4.0f, 1.0f, 1.0f), false);
    step();
    EXPECT_TRUE(colliderOf(box)->isCollidingUp());
    EXPECT_TRUE(colliderOf(box)->isCollidingDown());
    EXPECT_EQ(bodyOf(box)->getVelocity().y, 0.0f);
    EXPECT_EQ(transformOf(box)->getPosition().y, 0.0f);
}

TEST_F(PhysicsStepTest, HazardAndFirewallAskForARespawnUnlessGodModeOrDashing)
{
    Entity* player = makePlayer(glm::vec3(0.0f, 1.0f, 0.0f));
    Entity* hazard = makeBody(glm::vec3(0.0f), glm::vec3(10.0f, 1.0f, 1.0f), false);
    hazard->setFlag("hazard", true);
    player->setFlag("godMode", true);
    step();
    EXPECT_FALSE(player->getFlag("respawn"));
    player->setFlag("godMode", false);
    step();
    EXPECT_TRUE(player->getFlag("respawn"));

    hazard->setFlag("hazard", false);
    hazard->setFlag("firewall", true);
    player->setFlag("respawn", false);
    controller.dashing = true;
    transformOf(player)->setPosition(0.0f, 0.9f, 0.0f);
    step();
    EXPECT_FALSE(player->getFlag("respawn"));
    // Dashing through, the wall does not push.
    EXPECT_LT(transformOf(player)->getPosition().y, 0.9f);
    controller.dashing = false;
    step();
    EXPECT_TRUE(player->getFlag("respawn"));
}

TEST_F(PhysicsStepTest, GoalEndsTheLevelThroughTheController)
{
    makePlayer(glm::vec3(0.0f, 1.0f, 0.0f));
    Entity* goal = makeBody(glm::vec3(0.0f), glm::vec3(10.0f, 1.0f, 1.0f), false);
    goal->setFlag("goal", true);
    step();
    ASSERT_EQ(controller.wonAt.size(), 1u);
    EXPECT_EQ(controller.wonAt[0], goal);
}

TEST_F(PhysicsStepTest, NewCheckpointMovesTheSpawnPointOnceWithASound)
{
    Entity* player = makePlayer(glm::vec3(0.0f, 0.0f, 0.0f));
    auto* stats = player->getComponent<StatsComp>(StatsComp::kName, StatsCompNull::instance());
    stats->setSpawnPoint(glm::vec3(-5.0f, -5.0f, 2.0f));
    player->setFlag("gravity", false);
    Entity* checkpoint = makeBody(glm::vec3(0.25f, 0.0f, 0.0f), glm::vec3(1.0f), false);
    checkpoint->setFlag("checkpoint", true);

    step();
    EXPECT_EQ(stats->getSpawnPoint(), glm::vec3(0.25f, 0.0f, 2.0f));
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0], "Checkpoint");
    // The player walks through a checkpoint.
    EXPECT_FALSE(colliderOf(player)->isCollidingRight());
    step();
    EXPECT_EQ(sound.played.size(), 1u);
}

TEST_F(PhysicsStepTest, NewCheckpointLightsItsOwnSleepingEmitter)
{
    Entity* player = makePlayer(glm::vec3(0.0f, 0.0f, 0.0f));
    player->setFlag("gravity", false);
    Entity* checkpoint = makeBody(glm::vec3(0.25f, 0.0f, 0.0f), glm::vec3(1.0f), false);
    checkpoint->setFlag("checkpoint", true);
    auto* glow = new ParticleEmitter();
    glow->setArchetypeName("Checkpoit");
    glow->setActive(false);
    auto* emitters = new EmitterListComp();
    emitters->addEmitter("Checkpoit", glow);
    checkpoint->addComponent(emitters);

    step();
    EXPECT_TRUE(glow->isActive());
}

TEST_F(PhysicsStepTest, PlayerAndPackagePassThroughAndRecollect)
{
    Entity* player = makePlayer(glm::vec3(0.0f, 0.0f, 0.0f));
    player->setFlag("gravity", false);
    Entity* package = makeBody(glm::vec3(0.5f, 0.0f, 0.0f), glm::vec3(1.0f), true);
    package->setFlag("package", true);
    package->setFlag("gravity", false);
    Entity* checkpoint = makeBody(glm::vec3(1.0f, 0.0f, 0.0f), glm::vec3(1.0f), false);
    checkpoint->setFlag("checkpoint", true);

    step();
    EXPECT_EQ(controller.recollects, 1);
    EXPECT_EQ(colliderOf(player)->getPenetration(), glm::vec3(0.0f));
    EXPECT_EQ(colliderOf(package)->getPenetration(), glm::vec3(0.0f));
    EXPECT_TRUE(colliderOf(player)->isSolid());
}

TEST_F(PhysicsStepTest, LandingStartsPlatformsButTouchingTheSideDoesNot)
{
    Entity* player = makePlayer(glm::vec3(0.0f, 1.0f, 0.0f));
    Entity* platform = makeBody(glm::vec3(0.0f), glm::vec3(6.0f, 1.0f, 1.0f), false);
    auto* breaking = new BreakingPlatformComp();
    platform->addComponent(breaking);
    auto* moving = new MovingPlatformComp();
    moving->setMoving(false);
    moving->setTouchStart(true);
    platform->addComponent(moving);

    Entity* side = makeBody(glm::vec3(-3.4f, 1.0f, 0.0f), glm::vec3(1.0f, 4.0f, 1.0f), false);
    auto* sideBreaking = new BreakingPlatformComp();
    side->addComponent(sideBreaking);
    auto* sideMoving = new MovingPlatformComp();
    sideMoving->setMoving(false);
    sideMoving->setTouchStart(true);
    side->addComponent(sideMoving);
    transformOf(player)->setPosition(-2.2f, 1.0f, 0.0f);
    bodyOf(player)->setVelocity(-0.3f, 0.0f, 0.0f);

    step();
    EXPECT_TRUE(colliderOf(player)->isCollidingLeft());
    EXPECT_FALSE(sideBreaking->isTriggered());
    EXPECT_FALSE(sideMoving->isMoving());
    EXPECT_TRUE(breaking->isTriggered());
    EXPECT_TRUE(moving->isMoving());
}

TEST_F(PhysicsStepTest, InactiveEntitiesAreSkippedByCollision)
{
    Entity* box = makeBody(glm::vec3(0.0f, 1.0f, 0.0f), glm::vec3(1.0f), true);
    Entity* floor = makeBody(glm::vec3(0.0f), glm::vec3(10.0f, 1.0f, 1.0f), false);
    floor->setFlag("inactive", true);
    step();
    EXPECT_NEAR(transformOf(box)->getPosition().y, 0.994f, kTolerance);
}
