#include "input/InputSystem.h"

#include "input/InputTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using inputtest::RecordA;

namespace
{
class InputDeviceSwitchTest : public inputtest::InputFixture
{
};

constexpr int kConnected = InputDevice::kJoystickConnected;
constexpr int kDisconnected = InputDevice::kJoystickDisconnected;
}

// Every pressed binding switches: while a pad button and a key are both held, each update
// switches to the pad and back to the keyboard, in binding order.
TEST_F(InputDeviceSwitchTest, EachPressedBindingSwitchesTheDevice)
{
    input.addBinding("Jump", 360, OnPress, RecordA);
    input.addBinding("Walk", 65, OnHold, RecordA);
    device.plugPad(0, "Pad");
    test::ConsoleCapture console;

    device.setPadButton(0, 0, true);
    step(3);
    EXPECT_TRUE(input.isControllerActive());

    device.cursorX = 300.0;
    step();
    EXPECT_TRUE(input.isControllerActive()) << "moving the mouse does not switch back";

    device.press(65);
    step(2);
    EXPECT_FALSE(input.isControllerActive());
    EXPECT_EQ(console.out(), "Controller Connected.\nController Disconnected.\n"
                             "Controller Connected.\nController Disconnected.\n");
}

TEST_F(InputDeviceSwitchTest, TheAlwaysBoundLeftMouseButtonSwitchesBack)
{
    device.plugPad(0, "Pad");
    device.setPadButton(0, 0, true);
    step();
    ASSERT_TRUE(input.isControllerActive());
    device.setPadButton(0, 0, false);

    test::ConsoleCapture console;
    device.pressMouse(0);
    step();
    EXPECT_FALSE(input.isControllerActive());
    EXPECT_EQ(console.out(), "Controller Disconnected.\n");
}

TEST_F(InputDeviceSwitchTest, StickPushesCountAsGamepadUse)
{
    input.addBinding("Aim", 401, OnHold, RecordA);
    device.plugPad(0, "Pad");
    device.setPadAxis(0, 2, 0.9f);
    test::ConsoleCapture console;
    step();
    EXPECT_TRUE(input.isControllerActive());
    EXPECT_EQ(console.out(), "Controller Connected.\n");
}

TEST_F(InputDeviceSwitchTest, TheLowestGamepadIdIsActiveAndNamesItsFamily)
{
    device.plugPad(3, "Sony Interactive Entertainment Wireless Controller");
    device.plugPad(5, "Generic X-Box pad");
    FakeInputDevice::Pad& plainJoystick = device.plugPad(1, "Flight Stick");
    plainJoystick.gamepad = false;
    step();
    EXPECT_EQ(input.getJoystickId(), 3);
    EXPECT_EQ(input.getControllerType(), ControllerTypes::kWirelessController);

    device.unplugPad(3);
    step();
    EXPECT_EQ(input.getJoystickId(), 5);
    EXPECT_EQ(input.getControllerType(), ControllerTypes::kOtherGamepad);

    device.unplugPad(5);
    step();
    EXPECT_EQ(input.getJoystickId(), -1);
    EXPECT_EQ(input.getControllerType(), ControllerTypes::kOtherGamepad) << "kept until a pad reports otherwise";
}

// The system is process-wide: a pad that left without a word during one run must not keep
// the next run's buttons deaf to the mouse.
TEST_F(InputDeviceSwitchTest, AStartForgetsThePadOfTheLastRunAndFindsAPluggedOneAgain)
{
    device.plugPad(0, "Wireless Controller");
    step();
    ASSERT_EQ(input.getControllerType(), ControllerTypes::kWirelessController);

    input.shutdown();
    input.initialize();
    step();
    EXPECT_EQ(input.getControllerType(), ControllerTypes::kWirelessController) << "still plugged in";

    device.unplugPad(0);
    step();
    input.shutdown();
    input.initialize();
    step();
    EXPECT_EQ(input.getControllerType(), ControllerTypes::kKeyboard);
}

TEST_F(InputDeviceSwitchTest, OnlyTheWirelessControllerFamilyIsTypeOne)
{
    device.plugPad(0, "Wireless Controller");
    step();
    EXPECT_EQ(input.getControllerType(), ControllerTypes::kWirelessController);

    device.plugPad(0, "Xbox Wireless Controller");
    step();
    EXPECT_EQ(input.getControllerType(), ControllerTypes::kOtherGamepad);

    device.plugPad(0, "Microsoft X-Box 360 pad");
    step();
    EXPECT_EQ(input.getControllerType(), ControllerTypes::kOtherGamepad);
}

// The device follows the player's hands even while the pressed control's action is off.
TEST_F(InputDeviceSwitchTest, BindingsOfDisabledActionsStillSwitchDevices)
{
    input.addBinding("Jump", 360, OnPress, RecordA);
    input.disableAction("Jump");
    input.disableAction("UIPressed");
    input.disableAction("uiHold");
    device.plugPad(0, "Pad");
    test::ConsoleCapture console;
    device.setPadButton(0, 0, true);
    step();
    EXPECT_TRUE(input.isControllerActive());
    EXPECT_TRUE(inputtest::gCalls.empty());
    EXPECT_EQ(console.out(), "Controller Connected.\n");
}

TEST_F(InputDeviceSwitchTest, JoystickEventsSetTheActivePadAndShowTheNotice)
{
    device.plugPad(2, "Wireless Controller");
    input.handleJoystickEvent(2, kConnected);
    EXPECT_EQ(input.getJoystickId(), 2);
    EXPECT_EQ(input.getControllerType(), ControllerTypes::kWirelessController);

    device.plugPad(0, "Some Gamepad");
    input.handleJoystickEvent(0, kConnected);
    EXPECT_EQ(input.getControllerType(), ControllerTypes::kOtherGamepad);

    device.unplugPad(0);
    input.handleJoystickEvent(0, kDisconnected);
    EXPECT_EQ(input.getJoystickId(), -1);
    EXPECT_EQ(input.getControllerType(), ControllerTypes::kKeyboard);
    step();
    EXPECT_EQ(input.getJoystickId(), 2) << "the next update finds the pad still plugged in";
    EXPECT_EQ(input.getControllerType(), ControllerTypes::kWirelessController);

    EXPECT_EQ(inputtest::gNotices, (std::vector<ControllerType>{1, 2, 0}));
}

TEST_F(InputDeviceSwitchTest, AConnectedPadLastsOnlyUntilTheNextUpdate)
{
    device.plugPad(0, "Pad Zero");
    device.plugPad(1, "Pad One");
    input.handleJoystickEvent(1, kConnected);
    EXPECT_EQ(input.getJoystickId(), 1);
    step();
    EXPECT_EQ(input.getJoystickId(), 0);
}

TEST_F(InputDeviceSwitchTest, JoystickCallbackIsInstalledByInitialize)
{
    EXPECT_EQ(device.installedCallback, &InputSystem::JoystickCallback);
}
