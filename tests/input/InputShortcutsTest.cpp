#include "input/InputSystem.h"

#include "gameplay/EngineStateKestrin.h"
#include "input/InputTestSupport.h"
#include "tools/EngineStateMorvel.h"
#include "tools/EngineStateQuenby.h"
#include "tools/EngineStateTobrin.h"
#include "ui/EngineStateEnd.h"
#include "ui/EngineStatePauseMenu.h"
#include "ui/EngineStateSplash.h"

#include <gtest/gtest.h>

using inputtest::gCalls;

namespace
{
class InputShortcutsTest : public inputtest::InputEngineFixture
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

TEST_F(InputShortcutsTest, HoldingKeyOneRequestsTheSandboxEveryUpdate)
{
    device.press(49);
    step();
    EXPECT_EQ(states.requests.size(), 2u) << "the direct request and the binding";

    step(3);
    ASSERT_EQ(states.requests.size(), 5u);
    for (IEngineState* request : states.requests)
        EXPECT_EQ(request, EngineStateMorvel::instance());

    input.disableAction("ScMorvel");
    step();
    EXPECT_EQ(states.requests.size(), 6u) << "the direct request ignores the action's switch";

    device.release(49);
    step();
    EXPECT_EQ(states.requests.size(), 6u);
}

TEST_F(InputShortcutsTest, NumberKeysRequestTheirStates)
{
    for (InputCode key = 50; key <= 55; ++key)
    {
        device.press(key);
        step();
        device.release(key);
        step();
    }
    const std::vector<IEngineState*> expected = {
        EngineStateKestrin::instance(), EngineStateTobrin::instance(),     EngineStateQuenby::instance(),
        EngineStateSplash::instance(),  EngineStatePauseMenu::instance(), EngineStateEnd::instance()};
    EXPECT_EQ(states.requests, expected);
}

TEST_F(InputShortcutsTest, F3TogglesTheStateToolsAndOverlay)
{
    gui.setOverlayShown(true);
    device.press(292);
    step();
    EXPECT_TRUE(gui.isStateToolsShown());
    EXPECT_FALSE(gui.isOverlayShown());

    device.release(292);
    step();
    device.press(292);
    step();
    EXPECT_FALSE(gui.isStateToolsShown());
    EXPECT_TRUE(gui.isOverlayShown());
}

TEST_F(InputShortcutsTest, F11TogglesFullscreen)
{
    ASSERT_FALSE(engine.isFullscreen());
    device.press(300);
    step(3);
    EXPECT_TRUE(engine.isFullscreen());
    device.release(300);
    step();
    device.press(300);
    step();
    EXPECT_FALSE(engine.isFullscreen());
}

TEST_F(InputShortcutsTest, InterfaceFlagsFollowTheLeftMouseButton)
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
}

TEST_F(InputShortcutsTest, GamepadAPressesTheInterfaceButtonToo)
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

TEST_F(InputShortcutsTest, BuiltInBindingsFollowTheFileInTheirOrder)
{
    std::vector<std::string> actions;
    for (const InputBinding& binding : input.getBindings())
        actions.push_back(binding.action + ":" + std::to_string(binding.code) + ":" + std::to_string(binding.trigType));
    const std::vector<std::string> expected = {
        "ScMorvel:49:0",    "ScKestrin:50:0",   "ScTobrin:51:0",        "ScQuenby:52:0",         "ScSplash:53:0",
        "ScPause:54:0",     "ScENd:55:0",       "ToggleDebug:292:0",    "ToggleFullscreen:300:0", "UIPressed:350:0",
        "UIPressed:360:0",  "uiHold:350:2",     "uiHold:360:2",         "uiReleased:350:1",      "uiReleased:360:1"};
    EXPECT_EQ(actions, expected);
}

TEST_F(InputShortcutsTest, CallbacksMayAddBindingsWhileTheUpdateWalksThem)
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
