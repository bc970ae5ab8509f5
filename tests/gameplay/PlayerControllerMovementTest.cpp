#include "PlayerControllerFixture.h"

#include <cmath>

using namespace playertest;

namespace
{
constexpr float kTolerance = 1e-5f;
}

class PlayerControllerMovementTest : public PlayerControllerFixture
{
protected:
    // The player high above everything, so it falls freely.
    Entity* airbornePlayer()
    {
        Entity* player = makePlayer(glm::vec3(0.0f, 50.0f, 0.0f));
        makePackage(glm::vec3(0.0f, 50.0f, 0.0f));
        controller.resetPlayer();
        return player;
    }

    // Pressed for one step, then let go (seen by the input system at once).
    void press(InputCode key)
    {
        device.press(key);
        step();
        device.release(key);
        input.update();
    }
};

TEST_F(PlayerControllerMovementTest, JumpInsideTheCoyoteWindowOnlyAfterLeavingTheGround)
{
    struct Case
    {
        int stepsInAir;
        bool jumps;
    };
    // The press comes one step after stepsInAir: 30, 150 and 160 ms after the last landing;
    // the window of 150 ms includes its last millisecond.
    for (const Case c : {Case{2, true}, Case{14, true}, Case{15, false}})
    {
        Entity* player = standingPlayer();
        ASSERT_TRUE(colliderOf(player)->isCollidingDown());
        entities->deleteEntity(floor->getId());
        step(c.stepsInAir);
        ASSERT_FALSE(colliderOf(player)->isCollidingDown());
        sound.played.clear();
        press(kKeyJump);
        EXPECT_EQ(sound.count("Jump"), c.jumps ? 1u : 0u) << c.stepsInAir;
        EXPECT_EQ(bodyOf(player)->getVelocity().y > 0.1f, c.jumps) << c.stepsInAir;
        EXPECT_EQ(state().jumpPressTime != 0, !c.jumps) << c.stepsInAir;
        if (c.jumps)
        {
            // The coyote jump closed the window: a second press in the air is only buffered.
            press(kKeyJump);
            EXPECT_EQ(sound.count("Jump"), 1u);
            EXPECT_NE(state().jumpPressTime, 0);
        }
        entities->clearActive();
    }
}

TEST_F(PlayerControllerMovementTest, BufferedJumpFiresOneStepAfterLanding)
{
    struct Case
    {
        int pressAgeMs;
        bool buffered;
        bool controlsOff;
    };
    // The press is pressAgeMs old, in whole steps, when the player lands: the window of 100 ms
    // includes its last millisecond. A buffered jump fires even while "Jump" is switched off.
    for (const Case c : {Case{100, true, false}, Case{100, true, true}, Case{110, false, false}})
    {
        makeFloor(glm::vec3(0.0f, -0.5f, 0.0f), glm::vec3(40.0f, 1.0f, 1.0f));
        Entity* player = makePlayer(glm::vec3(0.0f, 50.0f, 0.0f));
        makePackage(glm::vec3(0.0f, 50.0f, 0.0f));
        controller.resetPlayer();
        sound.played.clear();
        device.press(kKeyJump);
        input.update();
        device.release(kKeyJump);
        ASSERT_NE(state().jumpPressTime, 0);
        if (c.controlsOff)
            DisablePlayerControls();
        step(c.pressAgeMs / 10 - 1);
        ASSERT_FALSE(colliderOf(player)->isCollidingDown());
        // Falling onto the floor's top: it lands in the next step.
        transformOf(player)->setPosition(glm::vec3(0.0f, 0.75f, 0.0f));
        transformOf(player)->setPreviousPosition(glm::vec3(0.0f, 0.75f, 0.0f));
        step();
        ASSERT_TRUE(colliderOf(player)->isCollidingDown());
        EXPECT_EQ(sound.count("Jump"), 0u);
        EXPECT_EQ(state().jumpQueued, c.buffered);
        step();
        // The controller runs after the physics: the jump force waits in the acceleration.
        EXPECT_EQ(sound.count("Jump"), c.buffered ? 1u : 0u);
        EXPECT_NEAR(bodyOf(player)->getAcceleration().y, c.buffered ? 0.25f : 0.0f, kTolerance);
        EXPECT_FALSE(state().jumpQueued);
        EnablePlayerControls();
        entities->clearActive();
    }
}

// The push goes into the acceleration during the input update, before the physics runs.
TEST_F(PlayerControllerMovementTest, RunPushIsHalvedInTheAirAndLimitedBeforeThePush)
{
    struct Case
    {
        bool grounded;
        float vx;
        glm::vec3 limit;
        std::vector<InputCode> keys;
        float push;
    };
    const glm::vec3 loose(100.0f, 0.6f, 100.0f);
    const glm::vec3 tightAir(100.0f, 0.6f, 0.3f);
    const std::vector<Case> cases = {
        {true, 0.0f, loose, {kKeyRight}, 0.01f},
        {false, 0.0f, loose, {kKeyRight}, 0.005f},
        {true, 0.0f, loose, {kKeyLeft}, -0.01f},
        {false, 0.0f, loose, {kKeyLeft}, -0.005f},
        // In the air the third component is the limit, on the ground the first.
        {false, 0.35f, tightAir, {kKeyRight}, 0.0f},
        {true, 0.35f, tightAir, {kKeyRight}, 0.01f},
        {false, 0.29f, tightAir, {kKeyRight}, 0.005f},
        {false, -0.35f, tightAir, {kKeyLeft}, 0.0f},
        // Both directions push; the pushes cancel.
        {true, 0.0f, loose, {kKeyLeft, kKeyRight}, 0.0f},
    };
    Entity* player = airbornePlayer();
    for (const Case& c : cases)
    {
        colliderOf(player)->resetContacts();
        if (c.grounded)
            colliderOf(player)->markDown();
        bodyOf(player)->setMaxVelocity(c.limit);
        bodyOf(player)->setVelocity(c.vx, 0.0f, 0.0f);
        bodyOf(player)->setAcceleration(0.0f, 0.0f, 0.0f);
        for (InputCode key : c.keys)
            device.press(key);
        input.update();
        for (InputCode key : c.keys)
            device.release(key);
        input.update();
        EXPECT_NEAR(bodyOf(player)->getAcceleration().x, c.push, kTolerance) << c.vx << " grounded " << c.grounded;
    }
    // Nothing plays into the running sound, so running starts no sound at all.
    EXPECT_EQ(sound.sourcePlays, 0);
}

TEST_F(PlayerControllerMovementTest, DashTakesTheInputDirectionAndPicksItsAnimationFromTheOldVelocity)
{
    struct Case
    {
        float vx;
        InputCode key;
        const char* animation;
        float dashVelocity;
    };
    for (const Case c : {Case{0.2f, kKeyRight, "DashLeftMid", 0.5f}, Case{0.0f, kKeyRight, "DashRightMid", 0.5f},
                         Case{0.0f, kKeyLeft, "DashRightMid", -0.5f}, Case{-0.2f, kKeyLeft, "DashRightMid", -0.5f}})
    {
        Entity* player = standingPlayer();
        ASSERT_EQ(state().dashCharges, 1);
        bodyOf(player)->setVelocity(c.vx, 0.0f, 0.0f);
        device.press(c.key);
        device.press(kKeyDash);
        input.update();
        controller.update();
        device.release(c.key);
        device.release(kKeyDash);
        input.update();
        EXPECT_EQ(animationOf(player)->getAnimationName(), c.animation) << c.vx;
        EXPECT_FLOAT_EQ(bodyOf(player)->getVelocity().x, c.dashVelocity);
        EXPECT_EQ(state().dashCharges, 0);
        EXPECT_TRUE(controller.isDashing());
        EXPECT_EQ(sound.count("Dash"), 1u);
        sound.played.clear();
        entities->clearActive();
    }
}

TEST_F(PlayerControllerMovementTest, DashNeedsADirectionAndEndsDeadStillEvenInTheAir)
{
    Entity* player = airbornePlayer();
    colliderOf(player)->markDown();
    controller.update();
    ASSERT_EQ(state().dashCharges, 1);

    // Left and right together give no direction: no dash.
    device.press(kKeyLeft);
    device.press(kKeyRight);
    device.press(kKeyDash);
    input.update();
    controller.update();
    EXPECT_FALSE(state().dashing);
    device.release(kKeyLeft);
    device.release(kKeyDash);
    input.update();

    colliderOf(player)->resetContacts();
    device.press(kKeyDash);
    input.update();
    controller.update();
    device.release(kKeyRight);
    device.release(kKeyDash);
    ASSERT_TRUE(state().dashing);

    step(10);
    EXPECT_TRUE(controller.isDashing());
    EXPECT_FLOAT_EQ(bodyOf(player)->getVelocity().x, 0.5f);
    EXPECT_FLOAT_EQ(bodyOf(player)->getVelocity().y, 0.0f);
    step(11);
    EXPECT_FALSE(state().dashing);
    EXPECT_FALSE(controller.isDashing());
    EXPECT_EQ(bodyOf(player)->getVelocity(), glm::vec3(0.0f));
    EXPECT_EQ(state().dashCharges, 0);
    // Read as unsigned, a negative duration from the archetype file would leave the player
    // dashing for ever (through every firewall) while no dash moves it.
    statsOf(player)->setDashDuration(-1);
    EXPECT_FALSE(controller.isDashing());
}

TEST_F(PlayerControllerMovementTest, DashRechargesOnTheGroundAfterTheCooldown)
{
    Entity* player = standingPlayer();
    device.press(kKeyRight);
    press(kKeyDash);
    device.release(kKeyRight);
    ASSERT_TRUE(state().dashing);
    ASSERT_EQ(state().dashCharges, 0);
    step(30);
    ASSERT_TRUE(colliderOf(player)->isCollidingDown());
    EXPECT_EQ(state().dashCharges, 0) << "still inside the 500 ms cooldown";
    step(25);
    EXPECT_EQ(state().dashCharges, 1);
}

TEST_F(PlayerControllerMovementTest, DashPressWhileDyingIsNotRecorded)
{
    Entity* player = standingPlayer();
    player->setFlag("respawn", true);
    step();
    ASSERT_TRUE(state().dying);
    press(kKeyDash);
    EXPECT_EQ(state().dashPressTime, 0);
}

TEST_F(PlayerControllerMovementTest, AnimationFollowsVelocityAndKeepsTheLastFacing)
{
    struct Case
    {
        float vx;
        float vy;
        const char* animation;
    };
    // Before any horizontal move the player faces neither way: the left names are used.
    const std::vector<Case> cases = {
        {0.0f, 0.0f, "IdleLeft"},     {0.0f, 0.05f, "Jump_Left"},    {0.1f, 0.0f, "Walk_Right"},
        {0.1f, 0.05f, "Jump_Right"},  {0.1f, -0.05f, "Land_Right"},  {0.0005f, 0.0f, "IdleRight"},
        {-0.1f, 0.0f, "Walk_Left"},   {0.0f, -0.2f, "Land_Left"},    {0.0f, 0.0f, "IdleLeft"},
    };
    Entity* player = airbornePlayer();
    for (const Case& c : cases)
    {
        bodyOf(player)->setVelocity(c.vx, c.vy, 0.0f);
        controller.update();
        EXPECT_EQ(animationOf(player)->getAnimationName(), c.animation) << c.vx << ", " << c.vy;
        EXPECT_TRUE(animationOf(player)->isPlaying());
    }
}
