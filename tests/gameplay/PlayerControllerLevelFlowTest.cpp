#include "PlayerControllerFixture.h"

#include "support/TestSupport.h"
#include "ui/EngineStateEnd.h"
#include "world/MovingPlatformComp.h"

using namespace playertest;

class PlayerControllerLevelFlowTest : public PlayerControllerFixture
{
protected:
    Entity* makeGoal(const std::string& nextLevel)
    {
        Entity* goal = makeBody(glm::vec3(100.0f, 0.0f, 0.0f), glm::vec3(1.0f));
        goal->setFlag("goal", true);
        auto* stats = new StatsComp();
        stats->setNextLevel(nextLevel);
        goal->addComponent(stats);
        return goal;
    }

    Entity* makeDeathWall(glm::vec3 spawn)
    {
        Entity* wall = makeBody(spawn, glm::vec3(2.0f, 16.0f, 1.0f));
        wall->setFlag("deathwall", true);
        auto* stats = new StatsComp();
        stats->setSpawnPoint(spawn);
        wall->addComponent(stats);
        auto* platform = new MovingPlatformComp();
        platform->setTargetWaypointID(30);
        platform->setTargetSpeed(0.06f);
        wall->addComponent(platform);
        return wall;
    }

    // Steps until the player is alive again; returns the steps taken.
    int stepUntilRespawned()
    {
        int steps = 0;
        while (state().dying && steps < 300)
        {
            step();
            ++steps;
        }
        return steps;
    }
};

TEST_F(PlayerControllerLevelFlowTest, FallingBelowTheKillPlaneDiesThenRespawnsAtTheSpawnPoint)
{
    Entity* player = standingPlayer();
    const glm::vec3 spawn(4.0f, 0.75f, 0.0f);
    statsOf(player)->setSpawnPoint(spawn);
    Entity* wall = makeDeathWall(glm::vec3(-10.0f, 20.0f, 0.0f));
    transformOf(wall)->setPosition(glm::vec3(3.0f, 5.0f, 0.0f));
    auto* platform = wall->getComponent<MovingPlatformComp>(MovingPlatformComp::kName, MovingPlatformCompNull::instance());
    platform->setMoving(true);
    // The player throws the package away and falls out of the level.
    setAimStick(0.8f, 0.0f);
    setAimButton(true);
    step();
    setAimButton(false);
    step();
    entities->deleteEntity(floor->getId());
    scenes.setKillPlane(-5.0f);
    while (transformOf(player)->getPosition().y >= -5.0f)
        step();
    step();
    EXPECT_TRUE(state().dying);
    EXPECT_EQ(sound.count("PlayerDeath"), 1u);
    EXPECT_TRUE(emitterOf(player, "PlayerDeath")->isActive());
    // Facing neither way: "DeathRight"; the body is held where it died.
    EXPECT_EQ(animationOf(player)->getAnimationName(), "DeathRight");
    EXPECT_EQ(bodyOf(player)->getVelocity(), glm::vec3(0.0f));

    const int steps = stepUntilRespawned();
    // Five frame changes of at least 90 ms.
    EXPECT_GE(steps, 45);
    EXPECT_FALSE(state().dying);
    EXPECT_FALSE(player->getFlag("respawn"));
    EXPECT_EQ(sound.count("PlayerRespawn"), 1u);
    EXPECT_EQ(transformOf(player)->getPosition(), spawn);
    EXPECT_TRUE(controller.isPackageHeld());
    EXPECT_TRUE(entities->getPackage()->getFlag("inactive"));
    EXPECT_EQ(transformOf(wall)->getPosition(), glm::vec3(-10.0f, 20.0f, 0.0f));
    EXPECT_FALSE(platform->isMoving());
    EXPECT_EQ(platform->getTargetWaypointID(), 32);
    EXPECT_FLOAT_EQ(platform->getTargetSpeed(), 0.5f);
    EXPECT_EQ(state().dashCharges, 0);
    step();
    EXPECT_FALSE(emitterOf(player, "PlayerDeath")->isActive());
}

TEST_F(PlayerControllerLevelFlowTest, DeathAnimationFacesAgainstTheRunAndPlaysFromItsFirstFrame)
{
    struct Case
    {
        float runSpeed;
        const char* animation;
    };
    for (const Case c : {Case{0.1f, "DeathLeft"}, Case{-0.1f, "DeathRight"}})
    {
        Entity* player = standingPlayer();
        bodyOf(player)->setVelocity(c.runSpeed, 0.0f, 0.0f);
        controller.update();
        // The last frame of the walk: a death taking over that frame would end at once.
        animationOf(player)->setFrame(5);
        player->setFlag("respawn", true);
        step();
        EXPECT_EQ(animationOf(player)->getAnimationName(), c.animation);
        EXPECT_TRUE(state().dying) << c.animation;
        EXPECT_EQ(animationOf(player)->getFrame(), 0);
        EXPECT_GE(stepUntilRespawned(), 45);
        entities->clearActive();
    }
}

TEST_F(PlayerControllerLevelFlowTest, OnlyTheFirstGoalOfALevelCounts)
{
    Entity* player = standingPlayer();
    Entity* first = makeGoal("Level2");
    Entity* second = makeGoal("Level3");
    test::ConsoleCapture console;
    controller.winLevel(first);
    controller.winLevel(second);
    controller.winLevel(first);
    EXPECT_EQ(test::SplitLines(console.out()).size(), 1u);
    EXPECT_EQ(controller.getNextScene(), "Level2");
    EXPECT_TRUE(player->getFlag("win"));
    EXPECT_TRUE(controller.areControlsDisabled());
    EXPECT_FALSE(input.isActionEnabled("ThrowPackage"));

    step(5);
    EXPECT_EQ(sound.count("WinFanfare"), 1u);
    EXPECT_TRUE(player->getFlag("winFirstOccurance"));
    for (const char* action : {"MoveRight", "MoveLeft", "Jump", "Dash"})
        EXPECT_FALSE(input.isActionEnabled(action)) << action;

    // A reset clears the win; the next goal counts again.
    controller.resetPlayer();
    EXPECT_FALSE(player->getFlag("win"));
    EXPECT_FALSE(player->getFlag("winFirstOccurance"));
    controller.winLevel(second);
    EXPECT_EQ(controller.getNextScene(), "Level3");
}

TEST_F(PlayerControllerLevelFlowTest, GoalsSwitchLevelFiveSecondsLaterThroughTheirWipeOrToTheWinScreen)
{
    struct Case
    {
        const char* next;
        const char* wipe;
        std::vector<std::string> music;
    };
    const std::vector<Case> cases = {
        {"Level1", "Transition1", {}},
        {"Level2", "Transition2", {"<stopAll>", "Music2"}},
        {"Level3", "Transition3", {"<stopAll>", "Music3"}},
        {"", nullptr, {}},
        {"End", nullptr, {}},
    };
    for (const Case& c : cases)
    {
        standingPlayer();
        transitions.wipes.clear();
        states.requests.clear();
        controller.winLevel(makeGoal(c.next));
        step(500);
        EXPECT_TRUE(transitions.wipes.empty() && states.requests.empty()) << "not before 5000 ms: " << c.next;
        sound.played.clear();
        step();
        EXPECT_EQ(sound.played, c.music) << c.next;
        EXPECT_TRUE(controller.areControlsDisabled());
        if (c.wipe)
        {
            ASSERT_EQ(transitions.wipes.size(), 1u) << c.next;
            EXPECT_EQ(transitions.wipes[0].name, c.wipe);
            EXPECT_TRUE(states.requests.empty());
            // Covered: the next level loads behind the wipe; uncovered: the controls return.
            transitions.wipes[0].onCovered();
            ASSERT_FALSE(scenes.loaded.empty());
            EXPECT_EQ(scenes.loaded.back(), c.next);
            EXPECT_TRUE(controller.areControlsDisabled());
            transitions.wipes[0].onUncovered();
            EXPECT_FALSE(controller.areControlsDisabled());
            EXPECT_TRUE(input.isActionEnabled("Jump"));
        }
        else
        {
            EXPECT_TRUE(transitions.wipes.empty()) << c.next;
            ASSERT_EQ(states.requests.size(), 1u);
            EXPECT_EQ(states.requests[0], EngineStateEnd::instance());
        }
        step(600);
        EXPECT_EQ(transitions.wipes.size() + states.requests.size(), 1u) << "one switch per win";
        EnablePlayerControls();
        entities->clearActive();
    }
}

TEST_F(PlayerControllerLevelFlowTest, LevelSwitchGoesAheadWhenNoWipeCanStart)
{
    standingPlayer();
    transitions.starts = false;
    controller.winLevel(makeGoal("Level2"));
    step(501);
    ASSERT_EQ(transitions.wipes.size(), 1u);
    ASSERT_EQ(scenes.loaded.size(), 1u);
    EXPECT_EQ(scenes.loaded[0], "Level2");
    EXPECT_FALSE(controller.areControlsDisabled());
    EXPECT_TRUE(input.isActionEnabled("MoveRight"));
}

// A new start (another engine in the same process) begins with a fresh player: a win
// still waiting for its switch when the last run ended does not switch the new run's level.
TEST_F(PlayerControllerLevelFlowTest, AStartForgetsALevelSwitchPendingFromBefore)
{
    standingPlayer();
    controller.winLevel(makeGoal("Level2"));
    step(100);
    controller.shutdown();
    controller.initialize();
    step(600);
    EXPECT_TRUE(transitions.wipes.empty());
    EXPECT_TRUE(states.requests.empty());
    EXPECT_FALSE(controller.areControlsDisabled());
}

TEST_F(PlayerControllerLevelFlowTest, CompletionTimeCountsFromTheLevelStart)
{
    controller.startLevelTimer();
    step(1250);
    test::ConsoleCapture console;
    controller.printCompletionTime();
    EXPECT_EQ(console.out(), "Level Completion Time: 12.5 seconds.\n");
}

TEST_F(PlayerControllerLevelFlowTest, ResetMakesAMissingPackageAndMarkerAndTakesThePackageInHand)
{
    auto* packageArchetype = new Entity(false);
    packageArchetype->addComponent(new TransformComp());
    packageArchetype->setFlag("package", true);
    entities->addArchetype(packageArchetype, "Package");
    auto* markerArchetype = new Entity(false);
    markerArchetype->addComponent(new TransformComp());
    markerArchetype->setFlag("ptpEntity", true);
    entities->addArchetype(markerArchetype, "PtpEntity");
    Entity* player = makePlayer(glm::vec3(3.0f, 4.0f, 0.0f));
    Entity* hazard = makeBody(glm::vec3(10.0f, 0.0f, 0.0f), glm::vec3(4.0f, 1.1f, 1.0f));
    hazard->setFlag("hazard", true);
    addEmitters(hazard, {"Hazard"});
    Entity* firewall = makeBody(glm::vec3(20.0f, 0.0f, 0.0f), glm::vec3(1.0f, 4.0f, 1.0f));
    firewall->setFlag("firewall", true);
    addEmitters(firewall, {"Firewall"});
    input.disableAction("ThrowPackage");

    controller.resetPlayer();
    Entity* package = entities->getPackage();
    ASSERT_FALSE(package->isNull());
    EXPECT_FALSE(entities->findFirstWithFlag("ptpEntity")->isNull());
    EXPECT_TRUE(transformOf(package)->getUseRenderPosition());
    EXPECT_TRUE(transformOf(player)->getUseRenderPosition());
    EXPECT_EQ(transformOf(package)->getPosition(), glm::vec3(5.5f, 4.0f, 0.1f));
    EXPECT_TRUE(package->getFlag("inactive"));
    EXPECT_TRUE(controller.isPackageHeld());
    EXPECT_EQ(textureOf(player), textureId("SpritePackage"));
    EXPECT_TRUE(input.isActionEnabled("ThrowPackage")) << "ENABLEPACKAGE switches the package actions on";
    EXPECT_EQ(sound.count("PackageRecollect"), 0u) << "taken in hand silently";

    // Hazard sparks spread along the top edge, fire-wall flames up the whole wall.
    EXPECT_EQ(emitterOf(hazard, "Hazard")->getSpawnRangeX(), glm::vec2(-2.0f, 2.0f));
    EXPECT_FLOAT_EQ(emitterOf(hazard, "Hazard")->getPositionOffset().y, 0.5f);
    EXPECT_EQ(emitterOf(firewall, "Firewall")->getSpawnRangeY(), glm::vec2(-2.0f, 2.0f));

    // A second reset makes no second package or marker.
    const uint32_t count = entities->getEntityCount();
    controller.resetPlayer();
    EXPECT_EQ(entities->getEntityCount(), count);
}

// The goal and the package are met inside the physics step's contact loop, which walks the
// entity list: neither may add or remove an entity there.
TEST_F(PlayerControllerLevelFlowTest, GoalAndPackageContactsLeaveTheEntityListAlone)
{
    Entity* player = standingPlayer();
    Entity* package = entities->getPackage();
    setAimStick(0.8f, 0.0f);
    setAimButton(true);
    step();
    setAimButton(false);
    step();
    ASSERT_FALSE(controller.isPackageHeld());
    Entity* goal = makeGoal("Level2");
    transformOf(goal)->setPosition(transformOf(player)->getPosition() + glm::vec3(0.4f, 0.0f, 0.0f));
    transformOf(package)->setPosition(transformOf(player)->getPosition() + glm::vec3(-0.3f, 0.0f, 0.0f));
    wait(600);
    const std::vector<uint32_t> before = entities->getActiveIds();
    entities->update();
    EXPECT_EQ(entities->getActiveIds(), before);
    EXPECT_TRUE(player->getFlag("win"));
    EXPECT_TRUE(controller.isPackageHeld());
}

TEST_F(PlayerControllerLevelFlowTest, PauseMovesOnlyTheJumpAndDashTimers)
{
    Entity* player = standingPlayer();
    controller.startLevelTimer();
    colliderOf(player)->resetContacts();
    colliderOf(player)->resetLandingTime();
    device.press(kKeyJump);
    device.press(kKeyDash);
    input.update();
    const PlayerState before = state();
    ASSERT_NE(before.jumpPressTime, 0);
    ASSERT_NE(before.dashPressTime, 0);

    controller.setPaused(true);
    wait(2000);
    controller.setPaused(false);
    EXPECT_EQ(state().jumpPressTime, before.jumpPressTime + 2000);
    EXPECT_EQ(state().dashPressTime, before.dashPressTime + 2000);
    EXPECT_EQ(state().dashStartTime, before.dashStartTime + 2000);
    EXPECT_EQ(state().dashRechargeTime, before.dashRechargeTime + 2000);
    EXPECT_EQ(state().lastThrowTime, before.lastThrowTime);
    EXPECT_EQ(state().levelStartTime, before.levelStartTime);
    EXPECT_EQ(state().levelEndTime, before.levelEndTime);
}

// The first level as the files build it: the player lands, runs, jumps and throws.
TEST_F(PlayerControllerLevelFlowTest, Level1PlaysFromItsStart)
{
    entities->loadArchetypes();
    scenes.passThrough = true;
    scenes.scanSceneFiles();
    scenes.loadScene("Level1");
    controller.resetPlayer();
    Entity* player = entities->getPlayer();
    ASSERT_FALSE(player->isNull());
    step(50);
    ASSERT_TRUE(colliderOf(player)->isCollidingDown());
    EXPECT_TRUE(controller.isPackageHeld());
    EXPECT_EQ(animationOf(player)->getAnimationName(), "IdleLeft");

    const glm::vec3 start = transformOf(player)->getPosition();
    device.press(kKeyRight);
    step(50);
    device.release(kKeyRight);
    EXPECT_GT(transformOf(player)->getPosition().x, start.x + 2.0f);
    EXPECT_EQ(animationOf(player)->getAnimationName(), "Walk_Right");
    step(50);
    EXPECT_EQ(animationOf(player)->getAnimationName(), "IdleRight");

    device.press(kKeyJump);
    step(30);
    device.release(kKeyJump);
    EXPECT_GT(transformOf(player)->getPosition().y, start.y + 1.0f);
    step(100);
    EXPECT_TRUE(colliderOf(player)->isCollidingDown());

    setAimStick(1.0f, 1.0f);
    setAimButton(true);
    step();
    setAimButton(false);
    step();
    EXPECT_FALSE(controller.isPackageHeld());
    EXPECT_FALSE(state().dying);
    EXPECT_FALSE(player->getFlag("respawn"));
}
