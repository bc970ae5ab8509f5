#include "engine/Engine.h"

#include "engine/EngineStateManager.h"
#include "engine/GameClock.h"
#include "engine/SystemTimings.h"
#include "engine/TraceLog.h"
#include "support/TestSupport.h"
#include "tools/DebugSystem.h"

#include <gtest/gtest.h>

using test::RecordingSystem;

class EngineTest : public testing::Test
{
protected:
    void SetUp() override
    {
        engine.makeCurrent();
        GameClock::setManualSeconds(1.0);
    }
    void TearDown() override { GameClock::useRealClock(); }

    Engine engine{"Test", 800, 600, 10000};
    std::vector<std::string> journal;
};

TEST_F(EngineTest, GetSystemFallsBackWhenAbsentOfAnotherClassOrWithoutEngine)
{
    RecordingSystem fake("DebugSystem", journal);
    DebugSystem* fallback = DebugSystemNull::instance();

    EXPECT_EQ(Engine::getSystem<DebugSystem>("DebugSystem", fallback), fallback);

    // Registered under the name but not a DebugSystem: the fallback, never a null pointer.
    engine.registerSystem(&fake);
    EXPECT_EQ(Engine::getSystem<DebugSystem>("DebugSystem", fallback), fallback);
    EXPECT_EQ(Engine::getSystem<IEngineSystem>("DebugSystem", nullptr), &fake);

    engine.shutdown();
    EXPECT_EQ(Engine::current(), nullptr);
    EXPECT_EQ(Engine::getSystem<IEngineSystem>("DebugSystem", nullptr), nullptr);
}

TEST_F(EngineTest, FirstRegistrationOfANameWinsButEveryEntryRuns)
{
    RecordingSystem first("Same", journal);
    RecordingSystem second("Same", journal);
    engine.registerSystem(&first);
    engine.registerSystem(&second);
    engine.registerSystemAs("SameAgain", &first);

    EXPECT_EQ(Engine::getSystem<IEngineSystem>("Same", nullptr), &first);
    EXPECT_EQ(Engine::getSystem<IEngineSystem>("SameAgain", nullptr), &first);
    ASSERT_EQ(engine.getSystemList().size(), 3u);

    engine.advance(10000);
    EXPECT_EQ(journal, (std::vector<std::string>{"Same.update", "Same.update", "Same.update", "Same.render",
                                                 "Same.render", "Same.render"}));
}

TEST_F(EngineTest, PausedSystemsAreRenderedButNotUpdated)
{
    RecordingSystem a("A", journal);
    RecordingSystem b("B", journal);
    engine.registerSystem(&a);
    engine.registerSystem(&b);
    a.setPaused(true);
    journal.clear();

    engine.advance(10000);
    EXPECT_EQ(journal, (std::vector<std::string>{"B.update", "A.render", "B.render"}));

    // A short frame renders without stepping.
    journal.clear();
    engine.advance(5000);
    EXPECT_EQ(journal, (std::vector<std::string>{"A.render", "B.render"}));
}

TEST_F(EngineTest, EachStepRecordsItsGameClockInterval)
{
    RecordingSystem a("A", journal);
    engine.registerSystem(&a);
    GameClock::setManualSeconds(2.0);
    engine.advance(20000);
    EXPECT_EQ(engine.getStepper().getHistory()[0], 0u);
    EXPECT_EQ(engine.getStepper().getHistory()[1], 2000u);
}

TEST_F(EngineTest, SlowCallsAreRecordedInTheDebugSystemUnderTheSystemName)
{
    DebugSystem* debug = DebugSystem::getInstance();
    engine.registerSystem(debug);
    RecordingSystem slow("Slow", journal);
    slow.updateSleepMicros = 2000;
    RecordingSystem quick("Quick", journal);
    engine.registerSystem(&slow);
    engine.registerSystem(&quick);

    engine.advance(10000);
    ASSERT_EQ(debug->getUpdateTimes().count("Slow"), 1u);
    EXPECT_GE(debug->getUpdateTimes().at("Slow"), 2000);
    // A busy machine can stall even an empty call past the threshold, so a quick system may
    // appear; what must never appear is a time at or below the threshold.
    for (const auto* table : {&debug->getUpdateTimes(), &debug->getRenderTimes()})
    {
        const auto quick = table->find("Quick");
        if (quick != table->end())
        {
            EXPECT_GT(quick->second, Engine::kTimingThresholdMicros);
        }
    }
}

TEST_F(EngineTest, TimingsGoToTheFallbackTableWithoutATimingSystem)
{
    RecordingSystem slow("SlowAlone", journal);
    slow.updateSleepMicros = 2000;
    engine.registerSystem(&slow);
    engine.advance(10000);
    EXPECT_EQ(SystemTimings::fallback()->getUpdateTimes().count("SlowAlone"), 1u);
}

TEST_F(EngineTest, DebugSystemNullKeepsItsOwnTables)
{
    DebugSystemNull* null = DebugSystemNull::instance();
    null->recordUpdateTime("X", 42);
    null->recordRenderTime("Y", 7);
    EXPECT_EQ(null->getUpdateTimes().at("X"), 42);
    EXPECT_EQ(null->getRenderTimes().at("Y"), 7);
}

TEST_F(EngineTest, ShutdownRunsInReverseOrderSkippingNullObjects)
{
    RecordingSystem a("A", journal);
    RecordingSystem nullSystem("N", journal, true);
    RecordingSystem b("B", journal);
    engine.registerSystem(&a);
    engine.registerSystem(&nullSystem);
    engine.registerSystem(&b);
    engine.registerSystemAs("AgainA", &a);

    engine.shutdown();
    EXPECT_EQ(journal, (std::vector<std::string>{"A.shutdown", "B.shutdown", "A.shutdown"}));
}

TEST_F(EngineTest, SizeAndIconifyShareTheMinimisedFlag)
{
    engine.handleWindowSize(1024, 768);
    EXPECT_EQ(engine.getWidth(), 1024);
    EXPECT_EQ(engine.getWindowedWidth(), 1024);

    engine.handleWindowSize(0, 0);
    EXPECT_TRUE(engine.isMinimized());
    // X11 reports iconify as well: no second minimise.
    engine.handleIconify(true);
    engine.handleWindowSize(0, 0);
    EXPECT_TRUE(engine.isMinimized());

    // One side zero changes nothing.
    engine.handleWindowSize(0, 300);
    EXPECT_TRUE(engine.isMinimized());
    engine.handleIconify(false);
    EXPECT_FALSE(engine.isMinimized());
    engine.handleWindowSize(1024, 768);
    EXPECT_FALSE(engine.isMinimized());

    // While fullscreen the windowed size is kept for later.
    engine.setFullscreen(true);
    engine.handleWindowSize(1920, 1081);
    EXPECT_EQ(engine.getWidth(), 1920);
    EXPECT_EQ(engine.getWindowedWidth(), 1024);
    EXPECT_EQ(engine.getWindowedHeight(), 768);
}
