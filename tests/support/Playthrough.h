#pragma once
// The frame of a scripted playthrough on one device: the game, the device's controls, the
// pilot holding them and the watch on the route, with the checks every level ends with.

#include "support/GameRig.h"
#include "support/Pilot.h"
#include "support/RouteWatch.h"
#include "support/TestSupport.h"
#include "world/Entity.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <utility>

namespace test
{
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

    void finishLevel(const std::string& picture)
    {
        EXPECT_TRUE(rig.savePicture(picture));
        pilot.stop();
        // The goal switches the level five seconds later, through a wipe.
        rig.step(200);
    }

    GameRig rig;
    Controls controls;
    Pilot pilot{rig, controls};
    RouteWatch watch{rig};
};
}
