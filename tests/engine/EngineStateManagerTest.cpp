#include "engine/EngineStateManager.h"

#include "engine/Engine.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using test::RecordingState;
using Journal = std::vector<std::string>;

class EngineStateManagerTest : public testing::Test
{
protected:
    EngineStateManagerTest() { manager.setName(EngineStateManager::kName); }

    void switchTo(IEngineState* state)
    {
        manager.setNextState(state);
        manager.update();
        journal.clear();
    }

    EngineStateManager manager;
    Journal journal;
    RecordingState a{"A", journal};
    RecordingState b{"B", journal};
    RecordingState overlay{"O", journal};
    RecordingState overlay2{"P", journal};
};

TEST_F(EngineStateManagerTest, SwitchHappensAtTheNextUpdateAndLastRequestWins)
{
    manager.setNextState(&a);
    manager.setNextState(&b);
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(b.getOwner(), &manager);

    manager.update();
    EXPECT_EQ(journal, (Journal{"B.load", "B.initialize", "B.update"}));
    EXPECT_EQ(manager.getCurrentState(), &b);

    journal.clear();
    manager.setNextState(&a);
    manager.update();
    EXPECT_EQ(journal, (Journal{"B.shutdown", "B.unload", "A.load", "A.initialize", "A.update"}));
    EXPECT_EQ(manager.getPreviousState(), &b);
}

TEST_F(EngineStateManagerTest, RestartRunsShutdownAndInitializeOnlyAndBeatsALaterRequest)
{
    switchTo(&a);
    manager.restartState();
    manager.setNextState(&b);
    manager.update();
    EXPECT_EQ(journal, (Journal{"A.shutdown", "A.initialize", "A.update"}));
    EXPECT_EQ(manager.getCurrentState(), &a);

    // Both flags were cleared: the next update switches nothing.
    journal.clear();
    manager.update();
    EXPECT_EQ(journal, (Journal{"A.update"}));
}

TEST_F(EngineStateManagerTest, SwitchingToTheCurrentStateReloadsIt)
{
    switchTo(&a);
    manager.setNextState(&a);
    manager.update();
    EXPECT_EQ(journal, (Journal{"A.shutdown", "A.unload", "A.load", "A.initialize", "A.update"}));
    EXPECT_EQ(manager.getPreviousState(), &a);
}

TEST_F(EngineStateManagerTest, PushPausesBelowAndPopResumesInTheirOrders)
{
    switchTo(&a);
    manager.pushState(&overlay, true);
    EXPECT_EQ(journal, (Journal{"A.onPause", "O.load", "O.initialize"}));
    EXPECT_EQ(overlay.getOwner(), nullptr) << "an overlay gets no owner";
    EXPECT_EQ(manager.getStateCount(), 2u);
    EXPECT_TRUE(manager.isStatePaused(0));
    EXPECT_FALSE(manager.isStatePaused(1));
    EXPECT_FALSE(manager.isStatePaused(2));

    journal.clear();
    manager.update();
    manager.render();
    EXPECT_EQ(journal, (Journal{"O.update", "A.render", "O.render"}));

    journal.clear();
    manager.popState(true);
    EXPECT_EQ(journal, (Journal{"O.unload", "O.shutdown", "A.onResume"}));
    EXPECT_EQ(manager.getStateCount(), 1u);

    journal.clear();
    manager.popState(true);
    EXPECT_TRUE(journal.empty());
}

TEST_F(EngineStateManagerTest, SwitchKeepsOverlaysAndOutOfRangeIndicesAreIgnored)
{
    switchTo(&a);
    manager.pushState(&overlay, false);
    switchTo(&b);
    EXPECT_EQ(manager.getOverlays(), (std::vector<IEngineState*>{&overlay}));

    manager.setStatePaused(true, 2);
    EXPECT_TRUE(journal.empty());
    manager.setStatePaused(true, 1);
    EXPECT_EQ(journal, (Journal{"O.onPause"}));
}

TEST_F(EngineStateManagerTest, AnOverlayPoppingItselfDuringUpdateIsSafe)
{
    switchTo(&a);
    manager.pushState(&overlay, true);
    manager.pushState(&overlay2, false);
    overlay.duringUpdate = [this] {
        manager.popState(true);
        manager.popState(true);
    };
    journal.clear();
    manager.update();
    // The overlays present at the start are visited; the popped one still updates this step.
    EXPECT_EQ(journal, (Journal{"O.update", "P.unload", "P.shutdown", "O.onResume", "O.unload", "O.shutdown",
                                "A.onResume", "P.update"}));
    EXPECT_EQ(manager.getStateCount(), 1u);
}

TEST_F(EngineStateManagerTest, WindowEventsReachTheCurrentStateOnly)
{
    switchTo(&a);
    manager.pushState(&overlay, false);
    journal.clear();
    manager.onFileDrop("level.json");
    manager.onMinimize();
    manager.onRestore();
    manager.debugGui();
    EXPECT_EQ(journal, (Journal{"A.onFileDrop level.json", "A.onMinimize", "A.onRestore", "A.debugGui"}));
}

TEST_F(EngineStateManagerTest, MinimiseReportedByBothCallbacksReachesTheStateOnce)
{
    Engine engine("T", 800, 600, 10000);
    engine.makeCurrent();
    engine.registerSystem(&manager);
    switchTo(&a);

    engine.handleWindowSize(0, 0);
    engine.handleIconify(true);
    engine.handleIconify(false);
    engine.handleWindowSize(800, 600);
    EXPECT_EQ(journal, (Journal{"A.onMinimize", "A.onRestore"}));
    engine.shutdown();
}

TEST(EngineStateManagerNullTest, DoesNothing)
{
    EngineStateManagerNull* null = EngineStateManagerNull::instance();
    EXPECT_TRUE(null->isNull());
    EXPECT_EQ(null->getStateCount(), 0u);
    EXPECT_FALSE(null->isStatePaused(0));
}
