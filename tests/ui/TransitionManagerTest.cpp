#include "ui/TransitionManager.h"

#include "UITestSupport.h"
#include "engine/Engine.h"
#include "engine/GameClock.h"
#include "graphics/AnimationManager.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace
{
std::vector<std::string> gCalls;
void Covered() { gCalls.push_back("covered"); }
void Uncovered() { gCalls.push_back("uncovered"); }
void StartAnotherFromUncovered()
{
    gCalls.push_back("uncovered");
    TransitionManager::getInstance()->startTransition("Transition1");
}

// Five frames of 20 ms for "Transition1", a looping "Transition3", and no "Transition2"
// sheet at all, so its lookup falls back to "Default".
const char* kSheets = R"({"AnimationSheets": [
    {"Name": "Default", "Columns": 1, "Rows": 1, "Animations": [{"Name": "Default", "FrameCount": 1, "Start Row": 1, "Frame Speed": 100, "Looping": false}]},
    {"Name": "Transition1", "Columns": 5, "Rows": 1, "Animations": [{"Name": "Transition1", "FrameCount": 5, "Start Row": 1, "Frame Speed": 20, "Looping": false}]},
    {"Name": "Transition3", "Columns": 5, "Rows": 1, "Animations": [{"Name": "Transition3", "FrameCount": 5, "Start Row": 1, "Frame Speed": 20, "Looping": true}]}]})";
}

class TransitionManagerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        gCalls.clear();
        GameClock::setManualSeconds(10.0);
        sheetPath = test::ScratchFolder("TransitionManager") + "/Animations.json";
        test::WriteText(sheetPath, kSheets);
        animations.loadAnimationSheets(sheetPath);
        animations.setName(AnimationManager::kName);
        engine.makeCurrent();
        engine.registerSystem(&animations);
        wipes = TransitionManager::getInstance();
        wipes->initialize();
    }
    void TearDown() override { GameClock::useRealClock(); }

    // One fixed step 25 ms later: longer than a frame, so every update steps one frame.
    void step()
    {
        GameClock::advanceManualSeconds(0.025);
        wipes->update();
    }

    Engine engine{"Test", 800, 600, 10000};
    AnimationManager animations;
    TransitionManager* wipes = nullptr;
    std::string sheetPath;
};

TEST_F(TransitionManagerTest, CoversHoldsThreeSecondsUncoversAndCallsEachCallbackOnceInItsOwnUpdate)
{
    ASSERT_TRUE(wipes->startTransition(Covered, "Transition1", Uncovered));
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(wipes->getPhase(), TransitionManager::kCovering);
        step();
    }
    EXPECT_EQ(wipes->getFrame(), 4);
    EXPECT_EQ(wipes->getPhase(), TransitionManager::kHolding);
    EXPECT_EQ(gCalls, std::vector<std::string>{"covered"});

    // The hold lasts 3000 ms from the covering update.
    GameClock::advanceManualSeconds(2.99);
    wipes->update();
    EXPECT_EQ(wipes->getPhase(), TransitionManager::kHolding);
    GameClock::advanceManualSeconds(0.02);
    wipes->update();
    EXPECT_EQ(wipes->getPhase(), TransitionManager::kUncovering);

    int updates = 0;
    while (wipes->isRunning() && updates < 20)
    {
        step();
        ++updates;
    }
    EXPECT_EQ(updates, 4);
    EXPECT_EQ(wipes->getFrame(), 0);
    EXPECT_EQ(gCalls, (std::vector<std::string>{"covered", "uncovered"}));
}

TEST_F(TransitionManagerTest, RefusesWhileRunningUnknownNamesAndSheetsWithoutTheirOwnAnimation)
{
    EXPECT_FALSE(wipes->startTransition("Transition9"));
    // Falls back to the "Default" sheet, which would never finish covering.
    EXPECT_FALSE(wipes->startTransition(Covered, "Transition2", Uncovered));
    EXPECT_FALSE(wipes->isRunning());

    ASSERT_TRUE(wipes->startTransition(Covered, "Transition1", Uncovered));
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_FALSE(wipes->startTransition("Transition1"));
        step();
    }
    EXPECT_FALSE(wipes->startTransition(Uncovered, "Transition1", Uncovered));
    EXPECT_EQ(wipes->getCurrentName(), "Transition1");
    EXPECT_EQ(gCalls, std::vector<std::string>{"covered"});
}

TEST_F(TransitionManagerTest, AStartFromInsideOnUncoveredRunsAtOnce)
{
    ASSERT_TRUE(wipes->startTransition(nullptr, "Transition1", StartAnotherFromUncovered));
    for (int i = 0; i < 4; ++i)
        step();
    GameClock::advanceManualSeconds(3.1);
    wipes->update();
    while (gCalls.empty())
        step();
    EXPECT_EQ(wipes->getPhase(), TransitionManager::kCovering);
}

TEST_F(TransitionManagerTest, ALoopingAnimationNeverFinishesCovering)
{
    ASSERT_TRUE(wipes->startTransition(Covered, "Transition3"));
    for (int i = 0; i < 30; ++i)
        step();
    EXPECT_EQ(wipes->getPhase(), TransitionManager::kCovering);
    EXPECT_TRUE(gCalls.empty());
}

// Restarting the systems mid-wipe frees the animation manager's sheets before the wipe takes
// the new ones; the wipe must go on from the new sheet.
TEST_F(TransitionManagerTest, AWipeRunningThroughARestartGoesOnWithTheNewSheets)
{
    ASSERT_TRUE(wipes->startTransition(Covered, "Transition1", Uncovered));
    step();
    animations.shutdown();
    animations.loadAnimationSheets(sheetPath);
    wipes->restart();
    for (int i = 0; i < 3; ++i)
        step();
    EXPECT_EQ(wipes->getPhase(), TransitionManager::kHolding);
    EXPECT_EQ(gCalls, std::vector<std::string>{"covered"});
}

// The manager is process-wide and outlives an engine; the next engine's start must not keep
// a running wipe, its callbacks, or sheets the old animation manager has freed.
TEST_F(TransitionManagerTest, AStartLeavesNoWipeOrSheetFromBefore)
{
    ASSERT_TRUE(wipes->startTransition(Covered, "Transition1", Uncovered));
    step();
    animations.shutdown();
    animations.loadAnimationSheets(sheetPath);
    wipes->initialize();
    EXPECT_FALSE(wipes->isRunning());
    EXPECT_EQ(wipes->getFrame(), 0);

    ASSERT_TRUE(wipes->startTransition("Transition1"));
    for (int i = 0; i < 4; ++i)
        step();
    EXPECT_EQ(wipes->getPhase(), TransitionManager::kHolding);
    EXPECT_EQ(gCalls, std::vector<std::string>{});
}

// Below frame 78 a wipe draws its frame alone; from 78 on it draws frame 77 again and then its
// own level's title card, 600 pixels square, in the middle of the window.
TEST_F(TransitionManagerTest, FromFrame78EachWipeDrawsFrame77AgainAndItsOwnTitleCard)
{
    uitest::NamingTextureManager textures;
    uitest::RecordingMesh quad{textures};
    uitest::RecordingMeshManager meshes{&quad};
    textures.setName(TextureManager::kName);
    meshes.setName(MeshManager::kName);
    engine.registerSystem(&textures);
    engine.registerSystem(&meshes);
    animations.shutdown();
    animations.loadAnimationSheets(AnimationManager::kSheetFile);
    wipes->restart();
    const std::pair<std::string, std::string> cards[] = {
        {"Transition1", "Level1Text"}, {"Transition2", "Level2Text"}, {"Transition3", "Level3Text"}};
    for (const auto& [name, card] : cards)
    {
        ASSERT_TRUE(wipes->startTransition(name));
        const std::pair<int, std::vector<std::string>> frames[] = {{77, {name}}, {78, {name, name, card}}};
        for (const auto& [frame, drawn] : frames)
        {
            for (int updates = 0; wipes->getFrame() < frame && updates < 100; ++updates)
                step();
            quad.draws.clear();
            wipes->render();
            ASSERT_EQ(quad.drawnTextures(), drawn);
        }
        const AnimationSheet* sheet = animations.getAnimationSheet(name);
        EXPECT_EQ(quad.draws[0].uvOffset, sheet->getFrameUV(78, name));
        EXPECT_EQ(quad.draws[1].uvOffset, sheet->getFrameUV(77, name));
        EXPECT_EQ(quad.draws[2].position, glm::vec3(400.0f, 300.0f, 0.75f));
        EXPECT_EQ(quad.draws[2].scale, glm::vec3(600.0f, 600.0f, 1.0f));
        for (int updates = 0; wipes->isRunning() && updates < 400; ++updates)
            step();
    }
}

TEST(TransitionManagerNullTest, StartsNothing)
{
    EXPECT_FALSE(TransitionManagerNull::instance()->startTransition("Transition1"));
    EXPECT_FALSE(TransitionManagerNull::instance()->isRunning());
}
