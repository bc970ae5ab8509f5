// Plays from the first logo through the three levels on a gamepad alone, through the fake
// device's pad state and the game's own gamepad path: buttons skip the logos and the comic,
// the left stick runs, A jumps and X dashes, the right stick aims while the right bumper is
// held, its release throws and Y teleports up the two throw ledges. No key and no mouse
// button is ever held, and the tutorial signs show the pad's family.

#include "support/Playthrough.h"

#include "gameplay/EngineStateKestrin.h"
#include "input/InputSystem.h"
#include "support/GamepadControls.h"
#include "world/AnimationComp.h"
#include "world/EntityManager.h"

#include <cmath>

namespace
{
using Pad = test::GamepadControls;

// The name the first family's pads give themselves.
constexpr const char* kPadName = "Wireless Controller";

// The throw ledges of Level2 in world units (the level files' y turned upwards): their left
// and right edges and their tops.
struct Ledge
{
    float left;
    float right;
    float top;
};
constexpr Ledge kFirstLedge{20.0f, 32.0f, -3.75f};
constexpr Ledge kSecondLedge{36.0f, 48.0f, 2.5f};

class GamepadPlaythroughGL : public test::Playthrough<test::GamepadControls>
{
protected:
    GamepadPlaythroughGL() : Playthrough(kPadName) {}

    // The frame the tutorial sign nearest the player shows.
    int32_t nearestSignFrame() const
    {
        Entity* nearest = EntityNull::instance();
        float best = 1e9f;
        for (Entity* sign : EntityManager::getInstance()->findAllWithFlag("TutorialButton"))
        {
            const float distance = glm::length(test::PositionOf(sign) - rig.playerPosition());
            if (distance < best)
            {
                best = distance;
                nearest = sign;
            }
        }
        return nearest->getComponent<AnimationComp>(AnimationComp::kName, AnimationCompNull::instance())->getFrame();
    }

    // Standing on the ledge's top, within its edges.
    void expectUpOn(const Ledge& ledge, const char* which)
    {
        const glm::vec3 at = rig.playerPosition();
        EXPECT_TRUE(rig.playerGrounded()) << which;
        EXPECT_NEAR(at.y - 0.75f, ledge.top, 0.1f) << which;
        EXPECT_GT(at.x, ledge.left) << which;
        EXPECT_LT(at.x, ledge.right) << which;
    }
};
}

TEST_F(GamepadPlaythroughGL, SkipsTheIntroAndPlaysTheThreeLevelsToTheirGoals)
{
    ASSERT_TRUE(rig.ok());
    rig.step(5);
    // A skips two logos, Start the third; A again closes the comic.
    controls.tapButton(Pad::kButtonA);
    controls.tapButton(Pad::kStart);
    rig.step(5);
    ASSERT_EQ(rig.currentState(), EngineStateKestrin::instance());
    controls.tapButton(Pad::kButtonA);
    ASSERT_TRUE(startLevel());
    EXPECT_TRUE(InputSystem::getInstance()->isControllerActive());

    // Level1: steps and gaps, then dashes under the low ceilings.
    ASSERT_TRUE(pilot.runTo(16.5f));
    EXPECT_EQ(nearestSignFrame(), static_cast<int32_t>(ControllerTypes::kWirelessController))
        << "the jump sign shows the pad's family";
    ASSERT_NO_FATAL_FAILURE(playRoute(test::kLevel1ToTheDashSign));
    ASSERT_NO_FATAL_FAILURE(playRoute(test::kLevel1FromTheDashSign));
    expectGoalReachedAlongTheRoute("Level1", 157.0f);
    finishLevel("GamepadLevel1.png");
    ASSERT_TRUE(startLevel());

    // Level2: the two throw ledges, aimed some way off the keyboard pilot's aim, then on to
    // the goal.
    ASSERT_TRUE(pilot.runTo(14.5f));
    ASSERT_TRUE(pilot.throwAtAngle(60.0f));
    expectUpOn(kFirstLedge, "first ledge");
    ASSERT_TRUE(pilot.runTo(30.5f));
    ASSERT_TRUE(pilot.throwAtAngle(72.0f));
    expectUpOn(kSecondLedge, "second ledge");
    ASSERT_TRUE(pilot.runTo(49.5f));
    ASSERT_TRUE(pilot.rideUpTo(12.2f, 55.0f));
    ASSERT_NO_FATAL_FAILURE(playRoute(test::kLevel2FromTheLift));
    expectGoalReachedAlongTheRoute("Level2", 141.0f);
    finishLevel("GamepadLevel2.png");
    ASSERT_TRUE(startLevel());

    ASSERT_NO_FATAL_FAILURE(playLevel3("GamepadLevel3FireWall.png"));
    finishLevel("GamepadLevel3.png");

    EXPECT_TRUE(rig.keysEverHeld().empty());
    EXPECT_TRUE(rig.mouseButtonsEverHeld().empty());
    EXPECT_EQ(InputSystem::getInstance()->getControllerType(), ControllerTypes::kWirelessController);
}
