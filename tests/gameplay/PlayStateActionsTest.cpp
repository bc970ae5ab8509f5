#include "gameplay/PlayStateActions.h"

#include "gameplay/PlayStateFixture.h"
#include "support/TestSupport.h"
#include "ui/EngineStateEnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace
{
using playtest::PlayStateFixture;

// The real input system, remembering every switch in order.
class SwitchJournal : public InputSystem
{
public:
    void enableAction(const std::string& action) override { calls.emplace_back(action, true); }
    void disableAction(const std::string& action) override { calls.emplace_back(action, false); }
    std::vector<std::pair<std::string, bool>> calls;
};

const std::vector<std::string> kGameActions = {
    "ComicDisable",   "offAim",         "Aim",           "GamepadAim",     "MoveRight",         "MoveLeft",
    "MoveUpNoClip",   "MoveDownNoClip", "Jump",          "Dash",           "GodMode",           "NoClip",
    "ThrowPackage",   "SummonPackage",  "TeleportToPackage", "ToggleEmitter", "CameraSwitchMode", "RestartSystems",
    "EndLevel",       "ToggleCulling",  "TestScaleUpX",  "TestScaleDownX", "TestScaleUpY",      "TestScaleDownY",
    "PauseGame",      "ReloadScene",    "WinGame",       "KillPlayer"};

const std::vector<std::string> kPlayerControls = {"MoveRight",    "MoveLeft",      "Jump",
                                                  "Dash",         "ThrowPackage",  "SummonPackage",
                                                  "TeleportToPackage", "offAim",   "Aim"};

bool IsPlayerControl(const std::string& name)
{
    return std::find(kPlayerControls.begin(), kPlayerControls.end(), name) != kPlayerControls.end();
}

class PlayStateActionsTest : public PlayStateFixture
{
protected:
    // An engine whose input system is the journal.
    void useJournal()
    {
        journal.setName(InputSystem::kName);
        journalEngine.makeCurrent();
        journalEngine.registerSystem(&journal);
        journalEngine.registerSystem(&controller);
    }
    void TearDown() override
    {
        engine.makeCurrent();
        PlayStateFixture::TearDown();
    }

    Engine journalEngine{"Journal", 800, 600, 10000};
    SwitchJournal journal;
};
}

TEST_F(PlayStateActionsTest, DisableSwitchesOffAllTwentyEightInOrder)
{
    useJournal();
    DisableGameActions();
    ASSERT_EQ(journal.calls.size(), kGameActions.size());
    for (size_t i = 0; i < kGameActions.size(); ++i)
    {
        EXPECT_EQ(journal.calls[i].first, kGameActions[i]) << i;
        EXPECT_FALSE(journal.calls[i].second) << kGameActions[i];
    }
}

TEST_F(PlayStateActionsTest, EnableSkipsTheComicAndKeepsTheNoClipPairOff)
{
    useJournal();
    EnableGameActions();
    ASSERT_EQ(journal.calls.size(), kGameActions.size() - 1);
    for (size_t i = 1; i < kGameActions.size(); ++i)
    {
        const std::string& name = kGameActions[i];
        EXPECT_EQ(journal.calls[i - 1].first, name);
        EXPECT_EQ(journal.calls[i - 1].second, name != "MoveUpNoClip" && name != "MoveDownNoClip") << name;
    }
}

TEST_F(PlayStateActionsTest, EnableLeavesThePlayersControlsOffWhileTheControllerHoldsThem)
{
    for (const std::string& name : kGameActions)
        input.addAction(name);
    for (bool held : {true, false})
    {
        SCOPED_TRACE(held ? "controls held" : "controls free");
        controller.controlsDisabled = held;
        DisableGameActions();
        input.enableAction("MoveUpNoClip");
        EnableGameActions();
        for (const std::string& name : kGameActions)
        {
            const bool expected =
                name != "ComicDisable" && name != "MoveUpNoClip" && name != "MoveDownNoClip" && !(held && IsPlayerControl(name));
            EXPECT_EQ(enabled(name), expected) << name;
        }
    }
}

TEST_F(PlayStateActionsTest, RegisteringTwiceAddsNothingAndBindsTheComicToSpaceCrossAndStart)
{
    RegisterPlayStateActions();
    RegisterPlayStateActions();
    for (const char* action : {"CameraSwitchMode", "RestartSystems", "EndLevel", "ToggleCulling", "TestScaleUpX",
                               "TestScaleDownX", "TestScaleUpY", "TestScaleDownY", "PauseGame", "KillPlayer", "WinGame",
                               "ComicDisable", "A"})
        EXPECT_EQ(input.getCallbackCount(action), 1u) << action;

    std::vector<std::pair<std::string, InputCode>> ours;
    for (const InputBinding& binding : input.getBindings())
        if (binding.action == "ComicDisable" || binding.action == "A")
        {
            EXPECT_EQ(binding.trigType, OnPress);
            ours.emplace_back(binding.action, binding.code);
        }
    EXPECT_EQ(ours, (std::vector<std::pair<std::string, InputCode>>{
                        {"ComicDisable", 32}, {"ComicDisable", 360}, {"ComicDisable", 367}, {"A", 74}}));
}

TEST_F(PlayStateActionsTest, ToggleCullingPrintsOneThenZeroAndSwitchesTheWorldContext)
{
    PlayState().cachedGraphics = &graphics;
    std::string printed;
    {
        test::ConsoleCapture console;
        OnToggleCulling(InputEvent{});
        OnToggleCulling(InputEvent{});
        printed = console.out();
    }
    EXPECT_EQ(printed, "Frustum Culling: 1\nFrustum Culling: 0\n");
    EXPECT_EQ(graphics.culling, (std::vector<std::string>{"WorldShader on", "WorldShader off"}));
}

TEST_F(PlayStateActionsTest, CameraSwitchModeFlipsPerspectiveAndOrthographicOnly)
{
    Camera& camera = PlayState().playCamera;
    camera.setProjectionMode(ProjectionMode::Perspective);
    OnCameraSwitchMode(InputEvent{});
    EXPECT_EQ(camera.getProjectionMode(), ProjectionMode::Orthographic);
    OnCameraSwitchMode(InputEvent{});
    EXPECT_EQ(camera.getProjectionMode(), ProjectionMode::Perspective);

    camera.setProjectionMode(ProjectionMode::Screen);
    OnCameraSwitchMode(InputEvent{});
    EXPECT_EQ(camera.getProjectionMode(), ProjectionMode::Screen);
}

TEST_F(PlayStateActionsTest, EndLevelPutsThePlayerOnTheLastGoalAndLightsEveryGoal)
{
    Entity* player = makeEntity({0.0f, 0.0f, 0.0f}, "player");
    Entity* first = makeGoal({10.0f, 2.0f, 0.0f});
    Entity* second = makeGoal({30.0f, 4.0f, 0.0f});
    ASSERT_LT(first->getId(), second->getId());

    OnEndLevel(InputEvent{});
    EXPECT_EQ(transformOf(player)->getPosition(), glm::vec3(30.0f, 4.0f, 0.0f));
    EXPECT_EQ(transformOf(player)->getPreviousPosition(), glm::vec3(10.0f, 2.0f, 0.0f));
    EXPECT_TRUE(sparksLit(first));
    EXPECT_TRUE(sparksLit(second));
}

TEST_F(PlayStateActionsTest, EndLevelAndKillPlayerWithoutPlayerOrGoalChangeNothing)
{
    Entity* goal = makeGoal({10.0f, 2.0f, 0.0f});
    OnEndLevel(InputEvent{});
    OnKillPlayer(InputEvent{});
    EXPECT_TRUE(sparksLit(goal));

    entities->clearActive();
    Entity* player = makeEntity({1.0f, 1.0f, 0.0f}, "player");
    OnEndLevel(InputEvent{});
    EXPECT_EQ(transformOf(player)->getPosition(), glm::vec3(1.0f, 1.0f, 0.0f));
    OnKillPlayer(InputEvent{});
    EXPECT_TRUE(player->getFlag("respawn"));
}

TEST_F(PlayStateActionsTest, TestScaleShrinksToZeroAtMostAndGrowsWithoutBound)
{
    CreateTestEntity();
    TransformComp* transform = TestEntityTransform();
    ASSERT_FALSE(transform->isNull());
    EXPECT_EQ(transform->getPosition(), glm::vec3(-65.86364f, 28.128637f, 0.1f));

    transform->setScale(0.05f, 0.05f, 1.0f);
    OnTestScaleDownX(InputEvent{});
    OnTestScaleDownY(InputEvent{});
    EXPECT_EQ(transform->getScale(), glm::vec3(0.0f, 0.0f, 1.0f));

    transform->setScale(1000.0f, 2.0f, 1.0f);
    OnTestScaleUpX(InputEvent{});
    OnTestScaleUpY(InputEvent{});
    EXPECT_NEAR(transform->getScale().x, 1000.1f, 1e-3f);
    EXPECT_NEAR(transform->getScale().y, 2.1f, 1e-6f);
}

// A scene load deletes every active entity, the test entity among them.
TEST_F(PlayStateActionsTest, TestScaleActionsDoNothingOnceTheTestEntityIsGone)
{
    CreateTestEntity();
    entities->clearActive();
    Entity* newcomer = makeEntity({0.0f, 0.0f, 0.0f}, "player");
    EXPECT_TRUE(TestEntityTransform()->isNull());
    OnTestScaleUpX(InputEvent{});
    OnTestScaleDownY(InputEvent{});
    EXPECT_EQ(transformOf(newcomer)->getScale(), glm::vec3(1.0f));
}

TEST_F(PlayStateActionsTest, WinGameAsksForTheWinScreen)
{
    OnWinGame(InputEvent{});
    EXPECT_EQ(states.requested, std::vector<IEngineState*>{EngineStateEnd::instance()});
}
