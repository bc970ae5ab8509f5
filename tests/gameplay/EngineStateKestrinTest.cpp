#include "gameplay/EngineStateKestrin.h"

#include "gameplay/PlayStateActions.h"
#include "gameplay/PlayStateFixture.h"
#include "ui/EngineStatePauseMenu.h"
#include "ui/EngineStateSplash.h"
#include "ui/UIManager.h"

#include <gtest/gtest.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <cmath>
#include <functional>

namespace
{
using playtest::PlayStateFixture;

class EngineStateKestrinTest : public PlayStateFixture
{
protected:
    void SetUp() override
    {
        PlayStateFixture::SetUp();
        // Keeps the package indicator out of the draws these tests look at.
        controller.packageHeld = true;
        // The pause menu hands its windows to the interface, which frees them.
        ui.setName(UIManager::kName);
        engine.registerSystem(&ui);
    }

    EngineStateKestrin* play = EngineStateKestrin::instance();
    UIManager ui;

    std::vector<std::string> drawnTextures() const
    {
        std::vector<std::string> names;
        for (const DrawData& draw : meshes.quad.draws)
            names.push_back(textures.nameOf(draw.texture));
        return names;
    }

    const DrawData* drawOf(const std::string& texture) const
    {
        for (const DrawData& draw : meshes.quad.draws)
            if (textures.nameOf(draw.texture) == texture)
                return &draw;
        return nullptr;
    }

    void padButton(int32_t button)
    {
        device.plugPad(0, "Pad");
        device.setPadButton(0, button, true);
        step();
        device.setPadButton(0, button, false);
        step();
    }
};

// One developer GUI frame around the play state's developer windows.
class GuiFrame
{
public:
    GuiFrame()
    {
        ImGui::CreateContext();
        ImGuiIO& io = ImGui::GetIO();
        io.IniFilename = nullptr;
        io.DisplaySize = ImVec2(800.0f, 600.0f);
        unsigned char* pixels = nullptr;
        int width = 0;
        int height = 0;
        io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
        ImGui::NewFrame();
    }
    ~GuiFrame()
    {
        ImGui::Render();
        ImGui::DestroyContext();
    }
    static bool hasWindow(const char* name) { return ImGui::FindWindowByName(name) != nullptr; }
};
}

TEST_F(EngineStateKestrinTest, EnteringStartsLevelOneBehindTheComicAndEnteringAgainAddsNoCallbacks)
{
    for (int entry = 1; entry <= 2; ++entry)
    {
        SCOPED_TRACE(entry);
        PlayState().comicShowing = false;
        enterPlayState();
        EXPECT_EQ(sound.played, std::vector<std::string>(entry, "Music"));
        EXPECT_EQ(scenes.loaded, std::vector<std::string>(entry, "Level1"));
        EXPECT_EQ(controller.resets, entry);
        EXPECT_TRUE(PlayState().comicShowing);
        EXPECT_TRUE(enabled("ComicDisable"));
        EXPECT_TRUE(enabled("PauseGame"));
        EXPECT_EQ(PlayState().playCamera.getProjectionMode(), ProjectionMode::Perspective);
        EXPECT_EQ(graphics.culling.back(), "WorldShader on");
        EXPECT_EQ(input.getCallbackCount("PauseGame"), 1u);
        EXPECT_EQ(input.getCallbackCount("ComicDisable"), 1u);
        EXPECT_FALSE(TestEntityTransform()->isNull());
        if (entry == 1)
            states.setNextState(play);
    }

    std::vector<std::string> items;
    for (const auto& [menu, entries] : play->debugMenus)
        for (const auto& [label, flag] : entries)
            items.push_back(menu + "/" + label);
    EXPECT_EQ(items, (std::vector<std::string>{"Cheats/End Level", "Cheats/God Mode", "Cheats/No Clip",
                                               "Show Windows/Asset Manipulation", "Show Windows/Diagnostics",
                                               "Show Windows/Scene Manager"}));
    EXPECT_EQ(play->debugMenus["Cheats"]["End Level"], &PlayState().cheatEndLevel);
}

TEST(EngineStateKestrinCamera, ZoomTargetTakesTheLargerSignedDifference)
{
    struct Case
    {
        float dx;
        float dy;
        float atanOf;
    };
    for (const Case& c : {Case{3.0f, -5.0f, 3.0f}, Case{-5.0f, 3.0f, 3.0f}, Case{-5.0f, -5.0f, -5.0f},
                          Case{1.0f, -20.0f, 1.0f}, Case{0.0f, 0.0f, 0.0f}})
        EXPECT_FLOAT_EQ(ZoomTarget(c.dx, c.dy), std::fabs(std::atan(c.atanOf) * 0.5f) + 10.0f) << c.dx << ", " << c.dy;
}

TEST(EngineStateKestrinCamera, FollowMovesATenthOfTheWayAndOnlyAPerspectiveCameraTurns)
{
    const glm::vec3 target(10.0f, 5.0f, 0.0f);
    const float zoom = ZoomTarget(10.0f, 5.0f);
    for (uint32_t mode : {ProjectionMode::Perspective, ProjectionMode::Orthographic})
    {
        SCOPED_TRACE(mode);
        Camera camera;
        camera.setProjectionMode(mode);
        camera.setPosition({0.0f, 0.0f, 1.0f});
        FollowTarget(camera, target);
        const glm::vec3 p = camera.getPosition();
        EXPECT_FLOAT_EQ(p.x, 1.0f);
        EXPECT_FLOAT_EQ(p.y, 0.5f);
        EXPECT_FLOAT_EQ(p.z, 1.0f + 0.1f * (zoom - 1.0f));

        const glm::vec3 e = camera.getEulerAngles();
        if (mode == ProjectionMode::Perspective)
        {
            EXPECT_NEAR(e.x, -std::atan(5.0f) / 30.0f * 0.1f, 1e-6f);
            EXPECT_NEAR(e.y, std::atan(10.0f) / 20.0f * 0.1f, 1e-6f);
        }
        else
        {
            EXPECT_EQ(e, glm::vec3(0.0f));
        }
    }
}

TEST_F(EngineStateKestrinTest, UpdateReadsTheGoalRunsTheEndLevelCheatAndKeepsTheDiagnosticsSwitch)
{
    enterPlayState();
    Entity* player = makeEntity({0.0f, 0.0f, 0.0f}, "player");
    makeGoal({12.0f, 3.0f, 0.0f}, "Level2");
    PlayState().cheatEndLevel = true;
    PlayState().showDiagnostics = true;
    step();
    EXPECT_EQ(PlayState().nextLevelName, "Level2");
    EXPECT_EQ(transformOf(player)->getPosition(), glm::vec3(12.0f, 3.0f, 0.0f));
    EXPECT_FALSE(PlayState().cheatEndLevel);
    EXPECT_TRUE(debug.isDiagnosticsShown());

    entities->clearActive();
    step();
    EXPECT_EQ(PlayState().nextLevelName, "");
}

TEST_F(EngineStateKestrinTest, PausingTwiceOrMinimisingWhilePausedPushesOneMenu)
{
    enterPlayState();
    states.onMinimize();
    ASSERT_EQ(states.getStateCount(), 2u) << "minimising pauses like the pause action";
    EXPECT_EQ(states.getOverlays()[0], EngineStatePauseMenu::instance());
    EXPECT_TRUE(play->isPaused());
    EXPECT_TRUE(entities->isPaused());
    EXPECT_TRUE(particles.isPaused());
    EXPECT_TRUE(controller.isPaused());
    EXPECT_FALSE(enabled("PauseGame"));
    EXPECT_FALSE(enabled("Jump"));

    OnPauseGame(InputEvent{});
    states.onMinimize();
    EXPECT_EQ(states.getStateCount(), 2u);

    states.popState(true);
    EXPECT_FALSE(play->isPaused());
    EXPECT_FALSE(entities->isPaused());
    EXPECT_FALSE(particles.isPaused());
    EXPECT_FALSE(controller.isPaused());
    EXPECT_TRUE(enabled("PauseGame"));
    EXPECT_FALSE(enabled("MoveUpNoClip"));
}

// Key 7 under the pause menu leaves this state paused; entering it again must not keep the
// world frozen.
TEST_F(EngineStateKestrinTest, EnteringAgainAfterLeavingWhilePausedRunsTheWorld)
{
    enterPlayState();
    OnPauseGame(InputEvent{});
    ASSERT_TRUE(entities->isPaused());
    play->shutdown();
    play->initialize();
    EXPECT_FALSE(play->isPaused());
    EXPECT_FALSE(entities->isPaused());
    EXPECT_FALSE(particles.isPaused());
    EXPECT_FALSE(controller.isPaused());
    EXPECT_FALSE(PlayState().playPaused);
}

// The wipe's end hands the player's controls back: a pause menu opened under it would have a
// live player below it.
TEST_F(EngineStateKestrinTest, PauseAndMinimiseWaitForARunningWipe)
{
    enterPlayState();
    transitions.running = true;
    OnPauseGame(InputEvent{});
    states.onMinimize();
    EXPECT_EQ(states.getStateCount(), 1u);
    EXPECT_FALSE(PlayState().playPaused);

    transitions.running = false;
    OnPauseGame(InputEvent{});
    EXPECT_EQ(states.getStateCount(), 2u);
}

TEST_F(EngineStateKestrinTest, SpaceCrossAndStartEachStartExactlyOneWipe)
{
    enterPlayState();
    const std::vector<std::pair<const char*, std::function<void()>>> presses = {
        {"space", [this] { press(32); }},
        {"gamepad A", [this] { padButton(0); }},
        {"gamepad Start", [this] { padButton(7); }},
    };
    for (const auto& [name, pressOnce] : presses)
    {
        SCOPED_TRACE(name);
        play->initialize();
        transitions.reset();
        pressOnce();
        pressOnce();
        EXPECT_EQ(transitions.started, std::vector<std::string>{"Transition1"});
        EXPECT_EQ(transitions.requests, 1);
        EXPECT_TRUE(PlayState().comicShowing) << "hidden only once the screen is covered";
        transitions.finish();
        EXPECT_FALSE(PlayState().comicShowing);
    }
}

TEST_F(EngineStateKestrinTest, TheComicCanStillBeDismissedAfterAPause)
{
    enterPlayState();
    OnPauseGame(InputEvent{});
    EXPECT_FALSE(enabled("ComicDisable"));
    states.popState(true);
    EXPECT_TRUE(enabled("ComicDisable"));
    press(32);
    EXPECT_EQ(transitions.started.size(), 1u);

    // Once the comic is gone a pause gives it no way back.
    transitions.finish();
    OnPauseGame(InputEvent{});
    states.popState(true);
    EXPECT_FALSE(enabled("ComicDisable"));
}

TEST_F(EngineStateKestrinTest, AWipeThatWillNotStartLeavesTheComicDismissable)
{
    enterPlayState();
    transitions.accepts = false;
    press(32);
    EXPECT_EQ(transitions.requests, 1);
    EXPECT_TRUE(enabled("ComicDisable"));
    EXPECT_TRUE(PlayState().comicShowing);

    transitions.accepts = true;
    press(32);
    EXPECT_EQ(transitions.started.size(), 1u);
    EXPECT_FALSE(enabled("ComicDisable"));
}

// The splash takes a dropped level file exactly as the play state does.
TEST_F(EngineStateKestrinTest, OnlyFilesEndingInLowerCaseJsonLoadAsLevelsInPlayAndOnTheSplash)
{
    const std::pair<const char*, bool> drops[] = {
        {"/tmp/level.json", true},      {"/tmp/my.level.v2.json", true}, {"/tmp/LEVEL.JSON", false},
        {"/tmp/level.json.bak", false}, {"/tmp/json", false},            {"/tmp/levels.json/readme", false},
        {"C:\\maps\\a.json", true},     {"", false}};
    enterPlayState();
    const std::function<void(const char*)> droppers[] = {
        [&](const char* path) { states.onFileDrop(path); },
        [](const char* path) { EngineStateSplash::instance()->onFileDrop(path); }};
    for (const auto& drop : droppers)
        for (const auto& [path, loads] : drops)
        {
            EXPECT_EQ(IsLevelFile(path), loads) << path;
            scenes.loaded.clear();
            controller.resets = 0;
            drop(path);
            const std::vector<std::string> expected =
                loads ? std::vector<std::string>{std::string("path:") + path} : std::vector<std::string>{};
            EXPECT_EQ(scenes.loaded, expected) << path;
            EXPECT_EQ(controller.resets, loads ? 1 : 0) << path;
        }
}

TEST_F(EngineStateKestrinTest, TheComicIsAnEighteenUnitSquareCentredOnThePlayerInFront)
{
    enterPlayState();
    makeEntity({4.0f, -2.0f, 0.0f}, "player");
    play->render();
    const DrawData* comic = drawOf("OpeningComic");
    ASSERT_NE(comic, nullptr);
    EXPECT_EQ(comic->transform.getPosition(), glm::vec3(4.0f, -2.0f, 5.0f));
    EXPECT_EQ(comic->transform.getScale(), glm::vec3(18.0f, 18.0f, 1.0f));
    EXPECT_EQ(graphics.contexts, (std::vector<std::string>{"WorldShader", "UIShader", "WorldShader"}));
    EXPECT_EQ(graphics.uniforms, (std::vector<std::string>{"blendColor", "drawColor"}));

    ClearComicFlag();
    meshes.quad.draws.clear();
    play->render();
    EXPECT_EQ(drawOf("OpeningComic"), nullptr);
}

TEST_F(EngineStateKestrinTest, TheWinPictureFollowsOnlyTheLastLevelAndSparksLightOncePerRun)
{
    enterPlayState();
    ClearComicFlag();
    Entity* player = makeEntity({0.0f, 0.0f, 0.0f}, "player");
    Entity* goal = makeGoal({5.0f, 0.0f, 0.0f}, "Level2");
    Entity* otherGoal = makeGoal({9.0f, 0.0f, 0.0f}, "Level2");
    step();

    play->render();
    EXPECT_TRUE(drawnTextures().empty()) << "no win yet";
    EXPECT_FALSE(sparksLit(goal));

    player->setFlag("winFirstOccurance", true);
    play->render();
    EXPECT_TRUE(drawnTextures().empty()) << "this goal leads on";
    EXPECT_TRUE(sparksLit(goal));
    EXPECT_FALSE(sparksLit(otherGoal)) << "only the first goal";

    // The last level: the goal leads nowhere. The sparks were lit once already this run.
    entities->clearActive();
    player = makeEntity({0.0f, 0.0f, 0.0f}, "player");
    player->setFlag("winFirstOccurance", true);
    Entity* lastGoal = makeGoal({5.0f, 0.0f, 0.0f});
    step();
    play->render();
    EXPECT_FALSE(sparksLit(lastGoal));
    ASSERT_EQ(drawnTextures(), std::vector<std::string>{"WinScreen"});
    const DrawData* win = drawOf("WinScreen");
    EXPECT_EQ(win->transform.getPosition(), glm::vec3(400.0f, 450.0f, -0.5f));
    EXPECT_NEAR(win->transform.getScale().x, 343.5f, 1e-3f);
    EXPECT_FLOAT_EQ(win->transform.getScale().y, 150.0f);
}

TEST_F(EngineStateKestrinTest, TheRotatingMatrixEditorNeedsALiveEntity)
{
    enterPlayState();
    gui.setOverlayShown(true);
    PlayState().showAssetManipulation = true;
    PlayState().rotatingMatrixOpen = true;
    {
        GuiFrame frame;
        play->debugGui();
        EXPECT_TRUE(GuiFrame::hasWindow("Background Rotating Matrix"));
    }
    EXPECT_TRUE(PlayState().rotatingMatrixOpen);
    EXPECT_EQ(TestEntityTransform()->getPosition(), glm::vec3(-65.86364f, 28.128637f, 0.1f));

    // A scene load deleted the entity the editor worked on.
    entities->clearActive();
    {
        GuiFrame frame;
        play->debugGui();
        EXPECT_FALSE(GuiFrame::hasWindow("Background Rotating Matrix"));
    }
    EXPECT_FALSE(PlayState().rotatingMatrixOpen);
}

// An open matrix editor shows only beside the asset window it was opened from.
TEST_F(EngineStateKestrinTest, WithTheOverlayOrTheAssetWindowOffNoAssetWindowIsDrawn)
{
    enterPlayState();
    PlayState().uiTestMatrixOpen = true;
    PlayState().rotatingMatrixOpen = true;
    const std::pair<bool, bool> cases[] = {{false, true}, {true, false}, {true, true}};
    for (const auto& [overlay, assets] : cases)
    {
        gui.setOverlayShown(overlay);
        PlayState().showAssetManipulation = assets;
        GuiFrame frame;
        play->debugGui();
        for (const char* window : {"ASSET MANIPULATION", "UI Test Matrix", "Background Rotating Matrix"})
            EXPECT_EQ(GuiFrame::hasWindow(window), overlay && assets) << window << overlay << assets;
    }
}
