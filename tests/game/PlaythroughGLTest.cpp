// Plays the whole game from the first logo to the win screen and back into Level1, through
// the fake input device only: a scripted player that steers by what it sees of the world,
// runs, jumps, dashes, throws and teleports to the package, dies once and respawns at a
// checkpoint, and reaches each goal. No cheat key is pressed.

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
#include "world/TransformComp.h"

#include <gtest/gtest.h>

#include <cmath>

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

class PlaythroughGL : public ::testing::Test
{
protected:
    // Steers onto the goal; returns what the game printed meanwhile.
    std::string reachGoal(float x, bool& won)
    {
        test::ConsoleCapture console;
        won = rig.stepUntil([&] { pilot.steer(x); return rig.player()->getFlag("win"); }, 800);
        rig.step();
        return console.out();
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
};
}

TEST_F(PlaythroughGL, FromTheFirstLogoThroughThreeLevelsToTheWinScreenAndBack)
{
    ASSERT_TRUE(rig.ok());
    int completionLines = 0;
    rig.step(5);
    for (int logo = 0; logo < 3; ++logo)
        rig.tap(kKeyEscape);
    rig.step(5);
    ASSERT_EQ(rig.currentState(), EngineStateKestrin::instance());
    rig.tap(kKeySpace);
    ASSERT_TRUE(pilot.waitForControls());

    // Level1: run and jump, die once in the fire wall, teleport past it, dash over the gap.
    ASSERT_TRUE(pilot.runTo(10.5f));
    ASSERT_TRUE(pilot.jumpTo(17.0f));
    ASSERT_TRUE(pilot.runTo(19.5f));
    ASSERT_TRUE(pilot.jumpTo(24.5f));
    ASSERT_TRUE(pilot.jumpTo(31.0f));
    pilot.runTo(36.0f, 200);
    ASSERT_TRUE(pilot.waitForRespawn());
    EXPECT_NEAR(rig.playerPosition().x, 18.5f, 1.0f) << "respawned at the checkpoint";
    ASSERT_TRUE(pilot.jumpTo(24.5f));
    ASSERT_TRUE(pilot.jumpTo(31.0f));
    ASSERT_TRUE(pilot.throwAndTeleport({33.0f, 3.0f, 0.0f}));
    EXPECT_GT(rig.playerPosition().x, 34.0f) << "teleported past the fire wall";
    ASSERT_TRUE(pilot.jumpDashTo(52.0f));
    ASSERT_TRUE(pilot.runTo(56.0f));
    ASSERT_TRUE(pilot.jumpTo(66.0f));
    ASSERT_TRUE(pilot.runTo(72.5f));
    ASSERT_TRUE(pilot.jumpTo(80.0f));
    ASSERT_TRUE(pilot.runTo(82.0f));
    ASSERT_TRUE(pilot.jumpTo(88.0f));
    bool won = false;
    completionLines += CountOccurrences(reachGoal(96.0f, won), "Level Completion Time: ");
    ASSERT_TRUE(won);
    finishLevel("PlaythroughLevel1.png");
    ASSERT_TRUE(pilot.waitForControls());

    // Level2: breaking platforms, a dash through the fire wall onto a moving platform.
    ASSERT_TRUE(pilot.runTo(7.0f));
    ASSERT_TRUE(pilot.jumpTo(11.5f));
    ASSERT_TRUE(pilot.jumpTo(17.5f));
    ASSERT_TRUE(pilot.jumpTo(24.0f));
    ASSERT_TRUE(pilot.dashFrom(25.0f));
    ASSERT_TRUE(pilot.rideUntil(42.0f));
    ASSERT_TRUE(pilot.runTo(48.5f));
    ASSERT_TRUE(pilot.runTo(53.5f));
    ASSERT_TRUE(pilot.jumpTo(62.0f));
    ASSERT_TRUE(pilot.runTo(66.5f));
    ASSERT_TRUE(pilot.jumpTo(72.5f));
    ASSERT_TRUE(pilot.jumpTo(80.0f));
    ASSERT_TRUE(pilot.runTo(82.0f));
    ASSERT_TRUE(pilot.jumpTo(89.0f));
    completionLines += CountOccurrences(reachGoal(96.0f, won), "Level Completion Time: ");
    ASSERT_TRUE(won);
    finishLevel("PlaythroughLevel2.png");
    ASSERT_TRUE(pilot.waitForControls());

    // Level3: a long jump over the hazards, a dash from the top of a jump, a ride.
    ASSERT_TRUE(pilot.runTo(6.0f));
    ASSERT_TRUE(pilot.jumpTo(22.5f));
    ASSERT_TRUE(pilot.runTo(21.5f));
    ASSERT_TRUE(pilot.jumpDashTo(34.0f));
    ASSERT_TRUE(pilot.jumpTo(38.0f));
    ASSERT_TRUE(pilot.jumpTo(45.5f));
    ASSERT_TRUE(pilot.runTo(47.5f));
    ASSERT_TRUE(pilot.jumpTo(55.0f));
    ASSERT_TRUE(pilot.runTo(57.0f));
    ASSERT_TRUE(pilot.jumpTo(62.5f));
    ASSERT_TRUE(pilot.rideUntil(69.5f));
    ASSERT_TRUE(pilot.jumpTo(76.5f));
    ASSERT_TRUE(pilot.jumpDashTo(92.0f));
    completionLines += CountOccurrences(reachGoal(99.0f, won), "Level Completion Time: ");
    ASSERT_TRUE(won);
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

    EXPECT_EQ(completionLines, 3);
    EXPECT_EQ(rig.stateHistory(), (std::vector<IEngineState*>{EngineStateSplash::instance(), EngineStateKestrin::instance(),
                                                               EngineStateEnd::instance(), EngineStateKestrin::instance()}));
    EXPECT_FALSE(PlayerControllerSystem::getInstance()->getGodMode());
    EXPECT_FALSE(PlayerControllerSystem::getInstance()->getNoClip());
}
