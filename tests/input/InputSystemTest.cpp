#include "input/InputSystem.h"

#include "input/InputTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using inputtest::CountCalls;
using inputtest::gCalls;
using inputtest::RecordA;
using inputtest::RecordB;

namespace
{
class InputSystemTest : public inputtest::InputFixture
{
};

constexpr InputCode kKeyG = 71;
constexpr InputCode kKeyH = 72;
}

TEST_F(InputSystemTest, PressReleaseAndHoldFireOnTheirEdges)
{
    input.addBinding("Press", kKeyG, OnPress, RecordA);
    input.addBinding("Release", kKeyG, OnRelease, RecordB);
    input.addBinding("Hold", kKeyG, OnHold, [](InputEvent event) { gCalls.push_back({"Hold", event}); });

    step();
    EXPECT_TRUE(gCalls.empty());

    device.press(kKeyG);
    step();
    EXPECT_EQ(CountCalls("A"), 1u);
    EXPECT_EQ(CountCalls("Hold"), 1u);
    EXPECT_FLOAT_EQ(gCalls[0].event.value, 1.0f);
    EXPECT_EQ(gCalls[0].event.codeName, "GLFW_KEY_G");

    step(3);
    EXPECT_EQ(CountCalls("A"), 1u);
    EXPECT_EQ(CountCalls("Hold"), 4u);
    EXPECT_EQ(CountCalls("B"), 0u);

    device.release(kKeyG);
    gCalls.clear();
    step();
    ASSERT_EQ(gCalls.size(), 1u);
    EXPECT_EQ(gCalls[0].callback, "B");
    EXPECT_FLOAT_EQ(gCalls[0].event.value, 0.0f);

    step();
    EXPECT_EQ(gCalls.size(), 1u);

    // A tap that went down and up between two updates: every binding of the key sees it
    // pressed in the next update and released in the one after.
    gCalls.clear();
    device.tap(kKeyG);
    step();
    EXPECT_EQ(CountCalls("A"), 1u);
    EXPECT_EQ(CountCalls("Hold"), 1u);
    EXPECT_EQ(CountCalls("B"), 0u);
    step(2);
    EXPECT_EQ(CountCalls("B"), 1u);
    EXPECT_EQ(gCalls.size(), 3u);
}

TEST_F(InputSystemTest, AnActionFiresOncePerUpdateWithTheFirstBindingsEvent)
{
    input.addBinding("Jump", kKeyG, OnPress, RecordA);
    input.addBinding("Jump", kKeyH, OnPress, RecordA);
    device.press(kKeyH);
    device.press(kKeyG);
    step();
    ASSERT_EQ(gCalls.size(), 1u);
    EXPECT_EQ(gCalls[0].event.codeName, "GLFW_KEY_G");
}

TEST_F(InputSystemTest, TwoActionsOnOneCodeBothFire)
{
    input.addBinding("First", kKeyG, OnPress, RecordA);
    input.addBinding("Second", kKeyG, OnPress, RecordB);
    device.press(kKeyG);
    step();
    EXPECT_EQ(CountCalls("A"), 1u);
    EXPECT_EQ(CountCalls("B"), 1u);
}

TEST_F(InputSystemTest, DisabledActionKeepsTrackingItsKey)
{
    input.addBinding("Jump", kKeyG, OnPress, RecordA);
    input.disableAction("Jump");
    device.press(kKeyG);
    step();
    EXPECT_TRUE(gCalls.empty());

    input.enableAction("Jump");
    step(2);
    EXPECT_TRUE(gCalls.empty()) << "still the same press";

    device.release(kKeyG);
    step();
    device.press(kKeyG);
    step();
    EXPECT_EQ(gCalls.size(), 1u);
}

TEST_F(InputSystemTest, UnknownActionNamesAreIgnoredByEnableAndDisable)
{
    input.enableAction("Nobody");
    input.disableAction("Nobody");
    EXPECT_FALSE(input.hasAction("Nobody"));
}

TEST_F(InputSystemTest, CallbacksAreKeptOnceAndRunInRegistrationOrder)
{
    const uint32_t before = input.getRegistrationCount();
    input.registerCallback("Jump", RecordB);
    input.registerCallback("Jump", RecordA);
    input.registerCallback("Jump", RecordB);
    input.registerCallback("Jump", nullptr);
    EXPECT_EQ(input.getRegistrationCount(), before + 4);
    EXPECT_EQ(input.getCallbackCount("Jump"), 2u);
    EXPECT_TRUE(input.isActionEnabled("Jump"));

    input.bindKey("Jump", kKeyG, OnPress);
    input.bindKey("Jump", kKeyG, OnPress);
    device.press(kKeyG);
    step();
    ASSERT_EQ(gCalls.size(), 2u);
    EXPECT_EQ(gCalls[0].callback, "B");
    EXPECT_EQ(gCalls[1].callback, "A");
}

TEST_F(InputSystemTest, AddingAnExistingActionKeepsItsState)
{
    input.addBinding("Jump", kKeyG, OnPress, RecordA);
    input.disableAction("Jump");
    input.addAction("Jump");
    input.addBinding("Jump", kKeyH, OnPress, RecordA);
    EXPECT_FALSE(input.isActionEnabled("Jump"));
    EXPECT_EQ(input.getCallbackCount("Jump"), 1u);
}

TEST_F(InputSystemTest, UnknownCodesNeverPress)
{
    input.addBinding("Odd", 999, OnHold, RecordA);
    input.addBinding("Gap", 349, OnHold, RecordA);
    step(2);
    EXPECT_FLOAT_EQ(input.readCode(-5), 0.0f);
    EXPECT_TRUE(gCalls.empty());
}

TEST_F(InputSystemTest, MouseButtonEventsCarryTheCursor)
{
    input.addBinding("Left", 350, OnPress, RecordA);
    input.addBinding("Middle", 352, OnPress, RecordB);
    device.cursorX = 123.5;
    device.cursorY = 45.25;
    device.pressMouse(0);
    device.pressMouse(2);
    step();
    ASSERT_EQ(gCalls.size(), 2u);
    EXPECT_DOUBLE_EQ(gCalls[0].event.cursorX, 123.5);
    EXPECT_DOUBLE_EQ(gCalls[0].event.cursorY, 45.25);
    EXPECT_EQ(gCalls[0].event.codeName, "BUTTON_MOUSE_BUTTON_LEFT");
    EXPECT_DOUBLE_EQ(gCalls[1].event.cursorX, 0.0);

    float x = 0.0f;
    float y = 0.0f;
    input.getCursorPos(x, y);
    EXPECT_FLOAT_EQ(x, 123.5f);
    EXPECT_FLOAT_EQ(y, 45.25f);
    double dx = 0.0;
    double dy = 0.0;
    input.getCursorPosDouble(dx, dy);
    EXPECT_DOUBLE_EQ(dy, 45.25);
    EXPECT_EQ(input.getCursorVector(), (std::vector<double>{123.5, 45.25}));
}

// Letting go of the right button (a throw) still tells where the cursor was.
TEST_F(InputSystemTest, RightButtonReleaseCarriesTheCursor)
{
    input.addBinding("Throw", 351, OnRelease, RecordA);
    device.pressMouse(1);
    step();
    device.cursorX = 640.0;
    device.cursorY = 360.0;
    device.releaseMouse(1);
    step();
    ASSERT_EQ(gCalls.size(), 1u);
    EXPECT_EQ(gCalls[0].event.codeName, "BUTTON_MOUSE_BUTTON_RIGHT");
    EXPECT_FLOAT_EQ(gCalls[0].event.value, 0.0f);
    EXPECT_DOUBLE_EQ(gCalls[0].event.cursorX, 640.0);
    EXPECT_DOUBLE_EQ(gCalls[0].event.cursorY, 360.0);
}

// The gamepad mapping orders every family's axes alike, this one's too.
TEST_F(InputSystemTest, HalfAxesReportTheirOwnSideBeyondTheDeadZone)
{
    device.plugPad(0, "Wireless Controller");
    device.setPadAxis(0, 0, -0.5f);
    step();
    EXPECT_FLOAT_EQ(input.readCode(380), -0.5f);
    EXPECT_FLOAT_EQ(input.readCode(381), 0.0f);

    device.setPadAxis(0, 0, -0.3f);
    step();
    EXPECT_FLOAT_EQ(input.readCode(380), 0.0f);
    EXPECT_FLOAT_EQ(input.readCode(381), 0.0f);

    device.setPadAxis(0, 3, 0.75f);
    step();
    EXPECT_FLOAT_EQ(input.readCode(387), 0.75f);
    EXPECT_FLOAT_EQ(input.readCode(386), 0.0f);
}

TEST_F(InputSystemTest, GamepadCodesReadZeroWithoutAReadablePad)
{
    input.addBinding("A", 360, OnHold, RecordA);
    step();
    EXPECT_FLOAT_EQ(input.readCode(380), 0.0f);
    EXPECT_EQ(input.getJoystickId(), -1);

    FakeInputDevice::Pad& pad = device.plugPad(0, "Pad");
    pad.readable = false;
    device.setPadButton(0, 0, true);
    step();
    EXPECT_TRUE(gCalls.empty());

    pad.readable = true;
    step();
    EXPECT_EQ(gCalls.size(), 1u);
    EXPECT_EQ(gCalls[0].event.codeName, "BUTTON_GAMEPAD_BUTTON_CROSS");
}

TEST_F(InputSystemTest, WholeSticksFireOutsideTheCircleAndReportTheirDirection)
{
    input.addBinding("Aim", 401, OnHold, RecordA);
    input.addBinding("Walk", 400, OnHold, RecordB);
    device.plugPad(0, "Pad");
    device.setPadAxis(0, 2, 0.2f);
    device.setPadAxis(0, 3, 0.2f);
    step();
    EXPECT_TRUE(gCalls.empty()) << "0.08 is inside 0.3 squared";

    device.setPadAxis(0, 2, 0.3f);
    device.setPadAxis(0, 3, -0.25f);
    step();
    ASSERT_EQ(gCalls.size(), 1u);
    EXPECT_EQ(gCalls[0].callback, "A");
    EXPECT_EQ(gCalls[0].event.codeName, "BUTTON_GAMEPAD_RIGHT_JOY");
    EXPECT_FLOAT_EQ(gCalls[0].event.value, 1.0f);
    EXPECT_FLOAT_EQ(gCalls[0].event.stickX, 0.3f);
    EXPECT_FLOAT_EQ(gCalls[0].event.stickY, -0.25f);
    EXPECT_FLOAT_EQ(input.getStickX(), 0.3f);

    device.setPadAxis(0, 2, 0.0f);
    device.setPadAxis(0, 3, 0.0f);
    step();
    EXPECT_EQ(gCalls.size(), 1u);
    EXPECT_FLOAT_EQ(input.getStickY(), -0.25f) << "keeps the last direction beyond the dead zone";
}

TEST_F(InputSystemTest, StickFieldsOnlyTravelWithWholeStickCodes)
{
    input.addBinding("Walk", 400, OnHold, RecordA);
    input.addBinding("Right", 381, OnHold, RecordB);
    device.plugPad(0, "Pad");
    device.setPadAxis(0, 0, 0.8f);
    step();
    ASSERT_EQ(gCalls.size(), 2u);
    EXPECT_FLOAT_EQ(gCalls[0].event.stickX, 0.8f);
    EXPECT_FLOAT_EQ(gCalls[1].event.stickX, 0.0f);
    EXPECT_FLOAT_EQ(gCalls[1].event.value, 0.8f);
}

// The interface's held button is process-wide; a system started afresh (a restart, or the
// next engine in the same process) must not inherit a press it never saw.
TEST_F(InputSystemTest, AStartForgetsTheInterfaceButtonHeldBeforeIt)
{
    device.pressMouse(0);
    step();
    ASSERT_TRUE(input.uiHeld());

    InputSystem next;
    next.setDevice(&device);
    next.setBindingFilePath(bindingFile());
    next.initialize();
    EXPECT_FALSE(next.uiHeld());
    EXPECT_FALSE(next.uiPressed());
}

TEST_F(InputSystemTest, NullSystemIsNeutral)
{
    InputSystemNull* null = InputSystemNull::instance();
    null->addBinding("Jump", kKeyG, OnPress, RecordA);
    null->registerCallback("Jump", RecordA);
    EXPECT_FALSE(null->hasAction("Jump"));
    EXPECT_TRUE(null->isNull());
    EXPECT_FALSE(null->isControllerActive());
    EXPECT_EQ(null->getControllerType(), 0u);
    EXPECT_EQ(null->getCursorVector(), (std::vector<double>{0.0, 0.0}));
    double x = 7.0;
    double y = 8.0;
    null->getCursorPosDouble(x, y);
    EXPECT_DOUBLE_EQ(x, 7.0);
    EXPECT_DOUBLE_EQ(y, 8.0);
    float fx = 7.0f;
    float fy = 8.0f;
    null->getCursorPos(fx, fy);
    EXPECT_FLOAT_EQ(fx, 0.0f);
    EXPECT_FLOAT_EQ(fy, 0.0f);
}

class InputThresholdTest : public inputtest::InputFixture
{
protected:
    std::string bindingFile() const override { return "tests/data/input/thresholds.json"; }
};

TEST_F(InputThresholdTest, TriggersUseTheirOwnDeadZone)
{
    EXPECT_FLOAT_EQ(input.getTriggerThreshold(), 0.9f);
    device.plugPad(0, "Pad");
    device.setPadAxis(0, 5, 0.8f);
    device.setPadAxis(0, 4, 0.95f);
    device.setPadAxis(0, 1, 0.5f);
    step();
    EXPECT_FLOAT_EQ(input.readCode(391), 0.0f);
    EXPECT_FLOAT_EQ(input.readCode(389), 0.95f);
    EXPECT_FLOAT_EQ(input.readCode(383), 0.5f) << "stick halves keep the axis dead zone";
}

TEST_F(InputThresholdTest, ResolvedTriggerHalvesStayUnnamedButReadable)
{
    input.addBinding("Rest", 390, OnHold, RecordA);
    device.plugPad(0, "Pad");
    device.setPadAxis(0, 5, -1.0f);
    step();
    ASSERT_EQ(gCalls.size(), 1u);
    EXPECT_EQ(gCalls[0].event.codeName, "");
    EXPECT_FLOAT_EQ(gCalls[0].event.value, -1.0f);
}

class InputZeroThresholdTest : public inputtest::InputFixture
{
protected:
    std::string bindingFile() const override { return "tests/data/input/zero_thresholds.json"; }
};

// With no dead zone at all each half still only reports its own direction.
TEST_F(InputZeroThresholdTest, HalvesNeverReportTheOtherDirection)
{
    device.plugPad(0, "Pad");
    device.setPadAxis(0, 0, 0.4f);
    device.setPadAxis(0, 4, -0.6f);
    step();
    EXPECT_FLOAT_EQ(input.readCode(380), 0.0f);
    EXPECT_FLOAT_EQ(input.readCode(381), 0.4f);
    EXPECT_FLOAT_EQ(input.readCode(388), -0.6f);
    EXPECT_FLOAT_EQ(input.readCode(389), 0.0f);
}
