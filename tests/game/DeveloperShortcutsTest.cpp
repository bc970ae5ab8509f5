#include "game/DeveloperShortcuts.h"

#include "engine/Engine.h"
#include "engine/EngineStateManager.h"
#include "game/GameComposition.h"
#include "gameplay/EngineStateKestrin.h"
#include "input/InputTestSupport.h"
#include "tools/EngineStateMorvel.h"
#include "tools/EngineStateQuenby.h"
#include "tools/EngineStateTobrin.h"
#include "tools/IMGUISystem.h"
#include "ui/EngineStateEnd.h"
#include "ui/EngineStatePauseMenu.h"
#include "ui/EngineStateSplash.h"
#include "ui/UIManager.h"

#include <gtest/gtest.h>

namespace
{
class RecordingStateManager : public EngineStateManager
{
public:
    void setNextState(IEngineState* state) override { requests.push_back(state); }
    std::vector<IEngineState*> requests;
};

class RecordingUIManager : public UIManager
{
public:
    void showControllerNotice(int32_t controllerType) override { notices.push_back(controllerType); }
    std::vector<int32_t> notices;
};

// An input system wired as the game wires it, in a current engine with stand-ins for the
// state manager, interface and developer GUI.
class DeveloperShortcutsTest : public inputtest::InputFixture
{
protected:
    void SetUp() override
    {
        InputFixture::SetUp();
        engine.makeCurrent();
        engine.registerSystemAs(EngineStateManager::kName, &states);
        engine.registerSystemAs(UIManager::kName, &ui);
        engine.registerSystemAs(IMGUISystem::kName, &gui);
    }

    void TearDown() override { engine.shutdown(); }

    void wire() override { WireInput(input); }

    Engine engine{"T", 800, 600, 10000};
    RecordingStateManager states;
    RecordingUIManager ui;
    IMGUISystem gui;
};
}

TEST_F(DeveloperShortcutsTest, HoldingKeyOneRequestsTheSandboxEveryUpdate)
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

TEST_F(DeveloperShortcutsTest, NumberKeysRequestTheirStates)
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

TEST_F(DeveloperShortcutsTest, F3TogglesTheStateToolsAndOverlay)
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

TEST_F(DeveloperShortcutsTest, F11TogglesFullscreen)
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

TEST_F(DeveloperShortcutsTest, BuiltInBindingsFollowTheFileInTheirOrder)
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

TEST_F(DeveloperShortcutsTest, GamepadEventsShowTheInterfacesNotice)
{
    device.plugPad(2, "Wireless Controller");
    input.handleJoystickEvent(2, InputDevice::kJoystickConnected);
    device.unplugPad(2);
    input.handleJoystickEvent(2, InputDevice::kJoystickDisconnected);
    EXPECT_EQ(ui.notices, (std::vector<int32_t>{1, 0}));
}
