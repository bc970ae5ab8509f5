#include "tools/IMGUISystem.h"

#include "engine/Engine.h"
#include "engine/EngineStateManager.h"
#include "game/GameComposition.h"
#include "input/FakeInputDevice.h"
#include "input/InputSystem.h"
#include "support/TestSupport.h"
#include "tools/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> gFired;

void RecordTestKey(InputEvent)
{
    gFired.push_back("C");
}

// A state whose developer window holds one text field.
class TextFieldState : public test::RecordingState
{
public:
    using RecordingState::RecordingState;
    void debugGui() override
    {
        RecordingState::debugGui();
        ImGui::Begin(kWindow);
        ImGui::InputText(kField, buffer, sizeof buffer);
        ImGui::End();
    }
    static constexpr const char* kWindow = "Typing";
    static constexpr const char* kField = "Name";
    char buffer[32] = {};
};

// A headless GUI system in a windowless engine, with a real state manager holding a state.
class IMGUISystemTest : public ::testing::Test
{
protected:
    IMGUISystemTest() : state("S", journal)
    {
        engine.makeCurrent();
        states.setName(EngineStateManager::kName);
        input.setName(InputSystem::kName);
        gui.setName(IMGUISystem::kName);
        engine.registerSystem(&states);
        engine.registerSystem(&input);
        engine.registerSystem(&gui);
        input.setDevice(&device);
        input.setBindingFilePath("tests/data/input/empty.json");
        WireInput(input);
        input.initialize();
        states.setNextState(&state);
        states.update();
        journal.clear();
        gFired.clear();
    }
    ~IMGUISystemTest() override { gui.shutdown(); }

    size_t guiCalls() const { return static_cast<size_t>(std::count(journal.begin(), journal.end(), "S.debugGui")); }

    Engine engine{"T", 800, 600, 10000};
    std::vector<std::string> journal;
    TextFieldState state;
    EngineStateManager states;
    FakeInputDevice device;
    InputSystem input;
    IMGUISystem gui;
};
}

TEST_F(IMGUISystemTest, StartsHiddenAndLogsUnderItsOldName)
{
    gui.setStateToolsShown(true);
    gui.setOverlayShown(true);
    test::ConsoleCapture console;
    gui.initialize();
    EXPECT_FALSE(gui.isStateToolsShown());
    EXPECT_FALSE(gui.isOverlayShown());
    EXPECT_FALSE(gui.hasBackends()) << "no window: headless";
    gui.shutdown();
    EXPECT_EQ(test::SplitLines(console.out()),
              (std::vector<std::string>{"IMGUIManager : initialize", "IMGUIManager : shutdown"}));
}

TEST_F(IMGUISystemTest, EveryUpdateBuildsAFrameWithTheStatesWindows)
{
    gui.initialize();
    gui.update();
    EXPECT_EQ(guiCalls(), 0u) << "state tools hidden";
    gui.setStateToolsShown(true);
    gui.update();
    gui.update();
    gui.render();
    EXPECT_EQ(guiCalls(), 2u) << "two fixed steps, two GUI frames";
    EXPECT_TRUE(test::GuiContext::shown(TextFieldState::kWindow));
    EXPECT_FALSE(test::GuiContext::shown(IMGUISystem::kOverlayTitle));
}

TEST_F(IMGUISystemTest, FpsStaysZeroUntilTheOverlayIsDrawn)
{
    gui.initialize();
    gui.render();
    EXPECT_NE(gui.getLastRenderTime(), 0) << "a render before any frame still runs the clock";
    gui.update();
    gui.render();
    EXPECT_EQ(gui.getFps(), 0.0f);
    gui.setOverlayShown(true);
    gui.update();
    EXPECT_TRUE(test::GuiContext::shown(IMGUISystem::kOverlayTitle));
    EXPECT_GT(gui.getFps(), 0.0f);
    const float drawn = gui.getFps();
    gui.setOverlayShown(false);
    gui.render();
    gui.update();
    EXPECT_EQ(gui.getFps(), drawn) << "kept while the overlay is hidden";
}

// Typing a C, a 1 or F3 into a developer text field must not move the test entity, switch
// the state or hide the GUI; once the field lets go the keys work again.
TEST_F(IMGUISystemTest, KeyboardActionsWaitWhileATextFieldHasTheKeyboard)
{
    input.addBinding("TestPos", 'C', OnHold, RecordTestKey);
    gui.initialize();
    gui.setStateToolsShown(true);
    const auto step = [&] {
        input.update();
        gui.update();
    };
    step();
    const ImGuiID field = test::GuiContext::idOf(TextFieldState::kWindow, {TextFieldState::kField});
    ImGuiIO& io = ImGui::GetIO();
    bool found = false;
    ImGuiWindow* window = ImGui::FindWindowByName(TextFieldState::kWindow);
    ASSERT_NE(window, nullptr);
    for (float y = 2.0f; y < window->Size.y && !found; y += 4.0f)
    {
        io.MousePos = ImVec2(window->Pos.x + 40.0f, window->Pos.y + y);
        step();
        found = GImGui->HoveredId == field;
    }
    ASSERT_TRUE(found);
    io.MouseDown[0] = true;
    step();
    io.MouseDown[0] = false;
    step();
    ASSERT_TRUE(IMGUISystem::WantsTextInput());
    gFired.clear();

    device.press('C');
    device.press('1');
    device.press(292);
    io.AddInputCharactersUTF8("c1");
    step();
    step();
    EXPECT_TRUE(gFired.empty()) << "C typed into the field";
    EXPECT_EQ(states.getCurrentState(), &state);
    EXPECT_TRUE(gui.isStateToolsShown()) << "F3 typed into the field";
    EXPECT_STREQ(state.buffer, "c1");
    device.release('1');
    device.release(292);

    io.MousePos = ImVec2(io.DisplaySize.x - 2.0f, io.DisplaySize.y - 2.0f);
    io.MouseDown[0] = true;
    step();
    io.MouseDown[0] = false;
    step();
    // ImGui reports the field's release one frame later.
    step();
    ASSERT_FALSE(IMGUISystem::WantsTextInput());
    step();
    EXPECT_FALSE(gFired.empty()) << "C held on: the hold fires again";
}

// A click on a developer window belongs to the window: the game's interface press and its
// mouse actions stay quiet, and the same click beside the window reaches the game.
TEST_F(IMGUISystemTest, AClickOnADeveloperWindowNeverReachesTheGame)
{
    input.addBinding("TestClick", InputCodes::kMouseLeft, OnPress, RecordTestKey);
    gui.initialize();
    gui.setStateToolsShown(true);
    const auto click = [&](ImVec2 at) {
        ImGui::GetIO().MousePos = at;
        input.update();
        gui.update();
        input.update();
        gui.update();
        gFired.clear();
        device.pressMouse(0);
        input.update();
        const bool reached = input.uiPressed() || !gFired.empty();
        gui.update();
        device.releaseMouse(0);
        input.update();
        gui.update();
        return reached;
    };
    input.update();
    gui.update();
    ImGuiWindow* window = ImGui::FindWindowByName(TextFieldState::kWindow);
    ASSERT_NE(window, nullptr);

    EXPECT_FALSE(click(ImVec2(window->Pos.x + 10.0f, window->Pos.y + 10.0f))) << "on the window";
    const ImVec2 corner = ImGui::GetIO().DisplaySize;
    EXPECT_TRUE(click(ImVec2(corner.x - 2.0f, corner.y - 2.0f))) << "beside it";
}
