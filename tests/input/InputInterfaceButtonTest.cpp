#include "input/InputSystem.h"

#include "input/InputTestSupport.h"

#include <gtest/gtest.h>

using inputtest::gCalls;

namespace
{
class InputInterfaceButtonTest : public inputtest::InputFixture
{
};

InputSystem* gGrowingSystem = nullptr;

void RecordLate(InputEvent event)
{
    gCalls.push_back({"Late", event});
}

// Adds enough bindings to move the binding list, and a second callback to its own action,
// while the input system is walking both.
void GrowBindings(InputEvent event)
{
    gCalls.push_back({"Grow", event});
    for (InputCode code = 65; code <= 90; ++code)
        gGrowingSystem->addBinding("Added" + std::to_string(code), code, OnHold, RecordLate);
    gGrowingSystem->registerCallback("Grow", RecordLate);
    gGrowingSystem->addBinding("Menu", 71, OnPress, RecordLate);
}
}

TEST_F(InputInterfaceButtonTest, InterfaceFlagsFollowTheLeftMouseButton)
{
    step();
    device.pressMouse(0);
    step();
    EXPECT_TRUE(input.uiPressed());
    EXPECT_TRUE(input.uiHeld());
    EXPECT_FALSE(input.uiReleased());

    step(2);
    EXPECT_FALSE(input.uiPressed());
    EXPECT_TRUE(input.uiHeld());

    device.releaseMouse(0);
    step();
    EXPECT_TRUE(input.uiReleased());
    EXPECT_FALSE(input.uiHeld());
    EXPECT_TRUE(InputSystemNull::instance()->uiReleased()) << "the null system shares the flags";

    step();
    EXPECT_FALSE(input.uiReleased());

    device.pressMouse(0);
    device.releaseMouse(0);
    step();
    EXPECT_TRUE(input.uiPressed()) << "a click between two updates";
    step();
    EXPECT_TRUE(input.uiReleased());
}

TEST_F(InputInterfaceButtonTest, GamepadAPressesTheInterfaceButtonToo)
{
    device.plugPad(0, "Pad");
    step();
    device.setPadButton(0, 0, true);
    step();
    EXPECT_TRUE(input.uiPressed());
    device.setPadButton(0, 0, false);
    step();
    EXPECT_TRUE(input.uiReleased());
    EXPECT_FALSE(input.uiHeld());
}

TEST_F(InputInterfaceButtonTest, CallbacksMayAddBindingsWhileTheUpdateWalksThem)
{
    gGrowingSystem = &input;
    input.addBinding("Grow", 71, OnPress, GrowBindings);
    device.press(71);
    step();
    ASSERT_GE(gCalls.size(), 1u);
    EXPECT_EQ(gCalls[0].callback, "Grow");
    EXPECT_EQ(input.getCallbackCount("Grow"), 2u);
    EXPECT_TRUE(input.hasAction("Added90"));
    // The bindings added during the walk are read in the same update, but key G was already
    // down when they were added: they wait for its release and a fresh press.
    EXPECT_EQ(inputtest::CountCalls("Late"), 0u);
    step();
    EXPECT_EQ(inputtest::CountCalls("Late"), 0u);

    gCalls.clear();
    device.release(71);
    step();
    device.press(71);
    step();
    EXPECT_EQ(inputtest::CountCalls("Late"), 3u) << "Grow's second callback, the hold on G and Menu";
    gGrowingSystem = nullptr;
}
