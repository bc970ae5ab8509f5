// Plays the whole game from the first logo to the win screen and back into Level1, through
// the fake input device only: a scripted player that steers by what it sees of the world,
// runs, jumps, dashes, throws and teleports to the package, rides the platforms, dies once and
// respawns at a checkpoint, and reaches each goal along the level's route: every checkpoint
// in order, no cheat on, and in Level3 with the death wall on its chase.

#include "support/Playthrough.h"

#include "engine/EngineStateManager.h"
#include "gameplay/EngineStateKestrin.h"
#include "gameplay/PlayerControllerSystem.h"
#include "support/KeyboardControls.h"
#include "ui/EngineStateEnd.h"
#include "ui/EngineStateSplash.h"

#include <algorithm>
#include <set>

namespace
{
using Keys = test::KeyboardControls;
constexpr int32_t kKeyRight = Keys::kKeyRight;
constexpr int32_t kKeyLeft = Keys::kKeyLeft;
constexpr int32_t kKeySpace = Keys::kKeySpace;
constexpr int32_t kKeyShift = Keys::kKeyShift;
constexpr int32_t kKeyEscape = Keys::kKeyEscape;
constexpr int32_t kKeyE = Keys::kKeyE;
constexpr int32_t kMouseLeft = Keys::kMouseLeft;
constexpr int32_t kMouseRight = Keys::kMouseRight;

class PlaythroughGL : public test::Playthrough<test::KeyboardControls>
{
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
    ASSERT_NO_FATAL_FAILURE(playRoute(test::kLevel1ToTheDashSign));
    EXPECT_TRUE(rig.savePicture("PlaythroughLevel1Dash.png"));
    ASSERT_NO_FATAL_FAILURE(playRoute(test::kLevel1FromTheDashSign));
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
    ASSERT_NO_FATAL_FAILURE(playRoute(test::kLevel2FromTheLift));
    expectGoalReachedAlongTheRoute("Level2", 141.0f);
    finishLevel("PlaythroughLevel2.png");
    ASSERT_TRUE(startLevel());

    // Level3: over spikes, into the fire wall once, dashes through fire walls, then the chase.
    ASSERT_NO_FATAL_FAILURE(playLevel3("PlaythroughLevel3FireWall.png"));
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
