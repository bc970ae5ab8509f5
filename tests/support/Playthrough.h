#pragma once
// The frame of a scripted playthrough on one device: the game, the device's controls, the
// pilot holding them and the watch on the route, with the checks every level ends with.

#include "support/GameRig.h"
#include "support/Pilot.h"
#include "support/RouteWatch.h"
#include "support/TestSupport.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/MovingPlatformComp.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace test
{
inline MovingPlatformComp* PlatformOf(Entity* entity)
{
    return entity->getComponent<MovingPlatformComp>(MovingPlatformComp::kName, MovingPlatformCompNull::instance());
}

// One leg of a level's route: run, jump or dash to x, or ride the platform underfoot past x;
// after a dash the player must be past `beyond`, the far side of what the dash crosses.
struct RouteLeg
{
    enum Kind
    {
        kRun,
        kJump,
        kDash,
        kRide
    } kind;
    float x;
    float beyond = 0.0f;
};

// Level1 from its jump sign to its dash sign: steps and gaps, each a bit higher.
inline const std::vector<RouteLeg> kLevel1ToTheDashSign = {
    {RouteLeg::kJump, 22.0f}, {RouteLeg::kRun, 26.5f}, {RouteLeg::kJump, 32.0f}, {RouteLeg::kRun, 36.5f},
    {RouteLeg::kJump, 46.0f}, {RouteLeg::kRun, 50.5f}, {RouteLeg::kJump, 61.0f}, {RouteLeg::kRun, 62.5f},
    {RouteLeg::kJump, 73.0f}, {RouteLeg::kRun, 74.5f}, {RouteLeg::kJump, 85.0f},
};
// Then the dashes under the low ceilings and the last two ledges before the goal.
inline const std::vector<RouteLeg> kLevel1FromTheDashSign = {
    {RouteLeg::kDash, 94.0f, 100.5f}, {RouteLeg::kDash, 111.0f, 119.5f}, {RouteLeg::kRun, 130.0f},
    {RouteLeg::kJump, 139.0f},        {RouteLeg::kRun, 140.5f},          {RouteLeg::kJump, 150.0f},
};

// Level2 from the top of the lift: crumbling steps over a floor, a ride over the void and the
// crumbling steps to the goal.
inline const std::vector<RouteLeg> kLevel2FromTheLift = {
    {RouteLeg::kRun, 57.0f},  {RouteLeg::kJump, 61.5f},  {RouteLeg::kJump, 66.5f},  {RouteLeg::kJump, 71.5f},
    {RouteLeg::kJump, 78.0f}, {RouteLeg::kRun, 93.0f},   {RouteLeg::kJump, 98.5f},  {RouteLeg::kRide, 112.5f},
    {RouteLeg::kJump, 119.5f}, {RouteLeg::kJump, 125.5f}, {RouteLeg::kJump, 133.0f},
};

// Level3 from its start over the spikes to the first fire wall, which the player walks into
// once to learn it burns.
inline const std::vector<RouteLeg> kLevel3ToTheFireWall = {
    {RouteLeg::kRun, 8.0f}, {RouteLeg::kJump, 16.0f}, {RouteLeg::kRun, 20.5f}, {RouteLeg::kJump, 30.5f},
};
// From the checkpoint before it: dashes through the three fire walls, then the death wall's
// chase to the last ledge before the goal.
inline const std::vector<RouteLeg> kLevel3FromTheCheckpoint = {
    {RouteLeg::kDash, 35.0f, 39.5f},   {RouteLeg::kRun, 50.0f},  {RouteLeg::kJump, 62.5f}, {RouteLeg::kRun, 63.0f},
    {RouteLeg::kJump, 73.0f},          {RouteLeg::kDash, 75.5f, 80.5f}, {RouteLeg::kRun, 105.5f},
    {RouteLeg::kJump, 113.5f},         {RouteLeg::kRun, 116.0f}, {RouteLeg::kJump, 127.0f},
    {RouteLeg::kDash, 127.5f, 132.5f}, {RouteLeg::kRun, 141.0f}, {RouteLeg::kJump, 150.0f},
};

template <class Controls>
class Playthrough : public ::testing::Test
{
protected:
    template <class... DeviceArgs>
    explicit Playthrough(DeviceArgs&&... deviceArgs) : controls(rig, std::forward<DeviceArgs>(deviceArgs)...)
    {
        rig.afterStep = [this] { watch.step(); };
    }

    bool startLevel()
    {
        const bool ready = pilot.waitForControls();
        watch.start();
        return ready;
    }

    // Steers onto the goal; returns what the game printed meanwhile.
    std::string reachGoal(float x, bool& won)
    {
        ConsoleCapture console;
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

    // Plays the legs in order; call it under ASSERT_NO_FATAL_FAILURE.
    void playRoute(const std::vector<RouteLeg>& legs)
    {
        for (const RouteLeg& leg : legs)
        {
            ASSERT_TRUE(play(leg)) << "leg to x " << leg.x;
            if (leg.kind == RouteLeg::kDash)
            {
                EXPECT_GT(rig.playerPosition().x, leg.beyond) << "dashed from x " << leg.x;
            }
        }
    }

    // Level3: into the first fire wall once, back at its checkpoint, then through to the last
    // ledge with the death wall chasing past waypoint 32. Call it under ASSERT_NO_FATAL_FAILURE.
    void playLevel3(const std::string& fireWallPicture)
    {
        ASSERT_NO_FATAL_FAILURE(playRoute(kLevel3ToTheFireWall));
        pilot.runTo(38.0f, 200);
        ASSERT_TRUE(pilot.waitForRespawn());
        EXPECT_NEAR(rig.playerPosition().x, 32.5f, 1.0f) << "respawned at the checkpoint";
        EXPECT_TRUE(rig.savePicture(fireWallPicture));
        ASSERT_NO_FATAL_FAILURE(playRoute(kLevel3FromTheCheckpoint));
        MovingPlatformComp* wall = PlatformOf(EntityManager::getInstance()->findFirstWithFlag("deathwall"));
        EXPECT_TRUE(wall->isMoving()) << "the death wall is on its chase";
        EXPECT_GT(wall->getTargetWaypointID(), 32) << "the death wall has passed waypoint 32";
        expectGoalReachedAlongTheRoute("Level3", 159.0f);
    }

    void finishLevel(const std::string& picture)
    {
        EXPECT_TRUE(rig.savePicture(picture));
        pilot.stop();
        // The goal switches the level five seconds later, through a wipe.
        rig.step(200);
    }

    GameRig rig;
    Controls controls;

private:
    bool play(const RouteLeg& leg)
    {
        if (leg.kind == RouteLeg::kRun)
            return pilot.runTo(leg.x);
        if (leg.kind == RouteLeg::kJump)
            return pilot.jumpTo(leg.x);
        if (leg.kind == RouteLeg::kRide)
            return pilot.rideUntil(leg.x);
        return pilot.dashFrom(leg.x);
    }

protected:
    Pilot pilot{rig, controls};
    RouteWatch watch{rig};
};
}
