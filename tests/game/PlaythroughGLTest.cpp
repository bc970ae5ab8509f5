// Plays the whole game from the first logo to the win screen and back into Level1, through
// the fake input device only: a scripted player that steers by what it sees of the world,
// runs, jumps, dashes, throws and teleports to the package, rides the platforms, dies once and
// respawns at a checkpoint, and reaches each goal along the level's route: every checkpoint
// in order, no cheat on, and in Level3 with the death wall on its chase.

#include "support/GameRig.h"

#include "engine/EngineStateManager.h"
#include "gameplay/EngineStateKestrin.h"
#include "gameplay/PlayerControllerSystem.h"
#include "input/InputSystem.h"
#include "support/TestSupport.h"
#include "ui/EngineStateEnd.h"
#include "ui/EngineStateSplash.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/MovingPlatformComp.h"
#include "world/StatsComp.h"
#include "world/TransformComp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace
{
constexpr int32_t kKeyRight = 262;
constexpr int32_t kKeyLeft = 263;
constexpr int32_t kKeySpace = 32;
constexpr int32_t kKeyShift = 340;
constexpr int32_t kKeyEscape = 256;
constexpr int32_t kKeyE = 69;
constexpr int32_t kMouseLeft = 0;
constexpr int32_t kMouseRight = 1;

glm::vec3 PositionOf(Entity* entity)
{
    return entity->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance())->getPosition();
}

MovingPlatformComp* PlatformOf(Entity* entity)
{
    return entity->getComponent<MovingPlatformComp>(MovingPlatformComp::kName, MovingPlatformCompNull::instance());
}

int CountOccurrences(const std::string& text, const std::string& piece)
{
    int count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

// A player who knows the controls: steers by where the body would come to rest, so that it
// lands where it means to despite the floaty air control.
class Pilot
{
public:
    explicit Pilot(test::GameRig& rig) : rig(rig) {}

    void steer(float x)
    {
        const float v = rig.playerVelocity().x;
        const float push = rig.playerGrounded() ? 0.012f : 0.005f;
        const float rest = rig.playerPosition().x + v * std::abs(v) / (2.0f * push);
        stop();
        if (rest < x - 0.15f)
            rig.press(kKeyRight);
        else if (rest > x + 0.15f)
            rig.press(kKeyLeft);
    }

    void stop()
    {
        rig.release(kKeyRight);
        rig.release(kKeyLeft);
    }

    bool runTo(float x, int budget = 1500)
    {
        return rig.stepUntil([&] { steer(x); return std::abs(rig.playerPosition().x - x) < 0.3f; }, budget);
    }

    bool land(int budget = 600)
    {
        return rig.stepUntil([&] { return rig.playerGrounded(); }, budget);
    }

    // Settles for a few steps (a landing body still sinks into what it landed on), jumps,
    // steers towards x in the air and returns once standing again.
    bool jumpTo(float x)
    {
        rig.step(3);
        steer(x);
        rig.tap(kKeySpace);
        for (int i = 0; i < 4; ++i)
        {
            steer(x);
            rig.step();
        }
        return rig.stepUntil([&] { steer(x); return rig.playerGrounded(); }, 600);
    }

    // Jumps, dashes right at the top of the jump, then steers down onto x.
    bool jumpDashTo(float x)
    {
        stop();
        rig.tap(kKeySpace);
        rig.stepUntil([&] { return rig.playerVelocity().y < 0.02f; }, 300);
        rig.press(kKeyRight);
        rig.tap(kKeyShift);
        rig.step(20);
        return rig.stepUntil([&] { steer(x); return rig.playerGrounded(); }, 600);
    }

    bool dashFrom(float x)
    {
        runTo(x);
        stop();
        rig.step(30);
        rig.press(kKeyRight);
        rig.tap(kKeyShift);
        rig.step(22);
        stop();
        return land();
    }

    // Aims at a world point with the mouse, throws, waits for the package to come to rest
    // and teleports to it.
    bool throwAndTeleport(const glm::vec3& target)
    {
        stop();
        rig.pointAt(target);
        rig.pressMouse(kMouseRight);
        rig.step(10);
        rig.releaseMouse(kMouseRight);
        rig.step(2);
        glm::vec3 last = packagePosition();
        int stillSteps = 0;
        const bool rests = rig.stepUntil([&] {
            const glm::vec3 now = packagePosition();
            stillSteps = glm::length(now - last) < 0.001f ? stillSteps + 1 : 0;
            last = now;
            return stillSteps >= 5;
        }, 600);
        rig.tap(kKeyE);
        return rests && land();
    }

    // Throws at an angle above the ground, in degrees to the right, and teleports.
    bool throwAtAngle(float degrees)
    {
        stop();
        rig.stepUntil([&] { return rig.playerGrounded() && std::abs(rig.playerVelocity().x) < 0.001f; }, 300);
        const float radians = glm::radians(degrees);
        return throwAndTeleport(rig.playerPosition() + 4.0f * glm::vec3(std::cos(radians), std::sin(radians), 0.0f));
    }

    // Rides the lift under the player until the feet are above height y, then steps off to x.
    bool rideUpTo(float y, float x)
    {
        const bool above = rig.stepUntil([&] {
            steer(PositionOf(platformUnderPlayer()).x);
            return rig.playerPosition().y - 0.75f > y;
        }, 1500);
        return above && rig.stepUntil([&] { steer(x); return rig.playerGrounded() && rig.playerPosition().x > x - 1.0f; },
                                      300);
    }

    // Stands on the moving platform under the player until it has carried the player past x.
    bool rideUntil(float x, int budget = 1500)
    {
        return rig.stepUntil([&] {
            steer(PositionOf(platformUnderPlayer()).x);
            return rig.playerPosition().x >= x;
        }, budget);
    }

    bool waitForRespawn()
    {
        stop();
        return rig.stepUntil([&] { return !rig.player()->getFlag("respawn"); }, 800) && land();
    }

    // Waits for the wipe to end and the player's controls to come back.
    bool waitForControls(int budget = 2000)
    {
        return rig.stepUntil([&] { return InputSystem::getInstance()->isActionEnabled("MoveRight"); }, budget);
    }

private:
    glm::vec3 packagePosition() const { return PositionOf(EntityManager::getInstance()->getPackage()); }

    Entity* platformUnderPlayer() const
    {
        EntityManager* entities = EntityManager::getInstance();
        Entity* nearest = EntityNull::instance();
        float best = 1e9f;
        for (uint32_t id : entities->getActiveIds())
        {
            Entity* entity = entities->findById(id);
            if (!entity->getComponents().count(MovingPlatformComp::kName))
                continue;
            const float distance = glm::length(PositionOf(entity) - rig.playerPosition());
            if (distance < best)
            {
                best = distance;
                nearest = entity;
            }
        }
        return nearest;
    }

    test::GameRig& rig;
};

// Follows a level step by step: the spawn points the player takes, in order, whether a cheat
// was ever on, and how many steps the level took.
class RouteWatch
{
public:
    explicit RouteWatch(test::GameRig& rig) : rig(rig) {}

    void start()
    {
        spawns = {spawnPoint()};
        cheated = false;
        steps = 0;
    }

    // Before the first level starts there is nothing to follow.
    void step()
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

    // The x of every checkpoint taken since the start, in the order taken.
    std::vector<float> taken() const
    {
        std::vector<float> xs;
        for (size_t i = 1; i < spawns.size(); ++i)
            xs.push_back(spawns[i].x);
        return xs;
    }

    // The x of every checkpoint of the level, in route order (the routes run left to right).
    static std::vector<float> levelCheckpoints()
    {
        std::vector<float> xs;
        for (Entity* checkpoint : EntityManager::getInstance()->findAllWithFlag("checkpoint"))
            xs.push_back(PositionOf(checkpoint).x);
        std::sort(xs.begin(), xs.end());
        return xs;
    }

    bool cheated = false;
    int steps = 0;

private:
    glm::vec3 spawnPoint() const
    {
        return rig.player()->getComponent<StatsComp>(StatsComp::kName, StatsCompNull::instance())->getSpawnPoint();
    }

    test::GameRig& rig;
    std::vector<glm::vec3> spawns;
};

class PlaythroughGL : public ::testing::Test
{
protected:
    PlaythroughGL()
    {
        rig.afterStep = [this] { watch.step(); };
    }

    bool startLevel()
    {
        const bool controls = pilot.waitForControls();
        watch.start();
        return controls;
    }

    // Steers onto the goal; returns what the game printed meanwhile.
    std::string reachGoal(float x, bool& won)
    {
        test::ConsoleCapture console;
        won = rig.stepUntil([&] { pilot.steer(x); return rig.player()->getFlag("win"); }, 800);
        rig.step();
        return console.out();
    }

    // At the goal: the level printed its time once and was played along its route.
    void expectGoalReachedAlongTheRoute(const std::string& level, float goalX)
    {
        bool won = false;
        EXPECT_EQ(CountOccurrences(reachGoal(goalX, won), "Level Completion Time: "), 1) << level;
        ASSERT_TRUE(won) << level;
        EXPECT_EQ(watch.taken(), RouteWatch::levelCheckpoints()) << level << ": checkpoints taken in order";
        EXPECT_FALSE(watch.cheated) << level;
        std::cout << level << " played in " << watch.steps << " steps\n";
    }

    void finishLevel(const std::string& picture)
    {
        EXPECT_TRUE(rig.savePicture(picture));
        pilot.stop();
        // The goal switches the level five seconds later, through a wipe.
        rig.step(200);
    }

    test::GameRig rig;
    Pilot pilot{rig};
    RouteWatch watch{rig};
};
}

TEST_F(PlaythroughGL, FromTheFirstLogoThroughThreeLevelsToTheWinScreenAndBack)
{
    ASSERT_TRUE(rig.ok());
    rig.step(5);
    for (int logo = 0; logo < 3; ++logo)
        rig.tap(kKeyEscape);
    rig.step(5);
    ASSERT_EQ(rig.currentState(), EngineStateKestrin::instance());
    rig.tap(kKeySpace);
    ASSERT_TRUE(startLevel());

    // Level1: steps and gaps, then dashes under the low ceilings.
    ASSERT_TRUE(pilot.runTo(16.5f));
    ASSERT_TRUE(pilot.jumpTo(22.0f));
    ASSERT_TRUE(pilot.runTo(26.5f));
    ASSERT_TRUE(pilot.jumpTo(32.0f));
    ASSERT_TRUE(pilot.runTo(36.5f));
    ASSERT_TRUE(pilot.jumpTo(46.0f));
    ASSERT_TRUE(pilot.runTo(50.5f));
    ASSERT_TRUE(pilot.jumpTo(61.0f));
    ASSERT_TRUE(pilot.runTo(62.5f));
    ASSERT_TRUE(pilot.jumpTo(73.0f));
    ASSERT_TRUE(pilot.runTo(74.5f));
    ASSERT_TRUE(pilot.jumpTo(85.0f));
    EXPECT_TRUE(rig.savePicture("PlaythroughLevel1Dash.png"));
    ASSERT_TRUE(pilot.dashFrom(94.0f));
    EXPECT_GT(rig.playerPosition().x, 100.5f) << "dashed over the first gap";
    ASSERT_TRUE(pilot.dashFrom(111.0f));
    EXPECT_GT(rig.playerPosition().x, 119.5f) << "dashed over the second gap";
    ASSERT_TRUE(pilot.runTo(130.0f));
    ASSERT_TRUE(pilot.jumpTo(139.0f));
    ASSERT_TRUE(pilot.runTo(140.5f));
    ASSERT_TRUE(pilot.jumpTo(150.0f));
    expectGoalReachedAlongTheRoute("Level1", 157.0f);
    finishLevel("PlaythroughLevel1.png");
    ASSERT_TRUE(startLevel());

    // Level2: throws up two ledges, the lift, crumbling steps, a ride over the void.
    ASSERT_TRUE(pilot.runTo(14.5f));
    EXPECT_TRUE(rig.savePicture("PlaythroughLevel2Throw.png"));
    ASSERT_TRUE(pilot.throwAtAngle(65.0f));
    EXPECT_GT(rig.playerPosition().y, -4.25f) << "teleported up the ledge";
    ASSERT_TRUE(pilot.runTo(30.5f));
    ASSERT_TRUE(pilot.throwAtAngle(65.0f));
    EXPECT_GT(rig.playerPosition().x, 36.0f) << "teleported over the void";
    ASSERT_TRUE(pilot.runTo(49.5f));
    ASSERT_TRUE(pilot.rideUpTo(12.2f, 55.0f));
    ASSERT_TRUE(pilot.runTo(57.0f));
    ASSERT_TRUE(pilot.jumpTo(61.5f));
    ASSERT_TRUE(pilot.jumpTo(66.5f));
    ASSERT_TRUE(pilot.jumpTo(71.5f));
    ASSERT_TRUE(pilot.jumpTo(78.0f));
    ASSERT_TRUE(pilot.runTo(93.0f));
    ASSERT_TRUE(pilot.jumpTo(98.5f));
    ASSERT_TRUE(pilot.rideUntil(112.5f));
    ASSERT_TRUE(pilot.jumpTo(119.5f));
    ASSERT_TRUE(pilot.jumpTo(125.5f));
    ASSERT_TRUE(pilot.jumpTo(133.0f));
    expectGoalReachedAlongTheRoute("Level2", 141.0f);
    finishLevel("PlaythroughLevel2.png");
    ASSERT_TRUE(startLevel());

    // Level3: over spikes, into the fire wall once, dashes through fire walls, then the chase.
    ASSERT_TRUE(pilot.runTo(8.0f));
    ASSERT_TRUE(pilot.jumpTo(16.0f));
    ASSERT_TRUE(pilot.runTo(20.5f));
    ASSERT_TRUE(pilot.jumpTo(30.5f));
    pilot.runTo(38.0f, 200);
    ASSERT_TRUE(pilot.waitForRespawn());
    EXPECT_NEAR(rig.playerPosition().x, 32.5f, 1.0f) << "respawned at the checkpoint";
    EXPECT_TRUE(rig.savePicture("PlaythroughLevel3FireWall.png"));
    ASSERT_TRUE(pilot.dashFrom(35.0f));
    EXPECT_GT(rig.playerPosition().x, 39.5f) << "dashed through the fire wall";
    ASSERT_TRUE(pilot.runTo(50.0f));
    ASSERT_TRUE(pilot.jumpTo(62.5f));
    ASSERT_TRUE(pilot.runTo(63.0f));
    ASSERT_TRUE(pilot.jumpTo(73.0f));
    ASSERT_TRUE(pilot.dashFrom(75.5f));
    ASSERT_TRUE(pilot.runTo(105.5f));
    ASSERT_TRUE(pilot.jumpTo(113.5f));
    ASSERT_TRUE(pilot.runTo(116.0f));
    ASSERT_TRUE(pilot.jumpTo(127.0f));
    ASSERT_TRUE(pilot.dashFrom(127.5f));
    ASSERT_TRUE(pilot.runTo(141.0f));
    ASSERT_TRUE(pilot.jumpTo(150.0f));
    MovingPlatformComp* wall = PlatformOf(EntityManager::getInstance()->findFirstWithFlag("deathwall"));
    EXPECT_TRUE(wall->isMoving()) << "the death wall is on its chase";
    EXPECT_GT(wall->getTargetWaypointID(), 32) << "the death wall has passed waypoint 32";
    expectGoalReachedAlongTheRoute("Level3", 159.0f);
    finishLevel("PlaythroughLevel3.png");
    ASSERT_TRUE(rig.stepUntil([&] { return rig.currentState() == EngineStateEnd::instance(); }, 800));
    rig.step(5);
    EXPECT_TRUE(rig.savePicture("PlaythroughWinScreen.png"));

    // "Play again", clicked with the mouse.
    const float s = static_cast<float>(rig.engine.getHeight()) / 540.0f;
    rig.device.cursorX = rig.engine.getWidth() / 2 - 70.0f * s;
    rig.device.cursorY = rig.engine.getHeight() / 2 + 50.0f * s;
    rig.step(2);
    rig.pressMouse(kMouseLeft);
    rig.step(2);
    rig.releaseMouse(kMouseLeft);
    ASSERT_TRUE(rig.stepUntil([&] { return rig.currentState() == EngineStateKestrin::instance(); }, 100));

    EXPECT_EQ(rig.stateHistory(), (std::vector<IEngineState*>{EngineStateSplash::instance(), EngineStateKestrin::instance(),
                                                               EngineStateEnd::instance(), EngineStateKestrin::instance()}));
    // Only the plain controls were ever held: no cheat or level-skip key.
    const std::set<int32_t> plainKeys = {kKeySpace, kKeyEscape, kKeyE, kKeyRight, kKeyLeft, kKeyShift};
    const std::set<int32_t>& held = rig.keysEverHeld();
    EXPECT_TRUE(std::includes(plainKeys.begin(), plainKeys.end(), held.begin(), held.end()));
    EXPECT_EQ(rig.mouseButtonsEverHeld(), (std::set<int32_t>{kMouseLeft, kMouseRight}));
    EXPECT_FALSE(PlayerControllerSystem::getInstance()->getGodMode());
    EXPECT_FALSE(PlayerControllerSystem::getInstance()->getNoClip());
}
