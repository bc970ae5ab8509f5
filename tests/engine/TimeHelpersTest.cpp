#include "engine/TimeHelpers.h"

#include "engine/Engine.h"
#include "engine/GameClock.h"

#include <gtest/gtest.h>

class TimeHelpersTest : public testing::Test
{
protected:
    void TearDown() override { GameClock::useRealClock(); }
};

TEST_F(TimeHelpersTest, GetTimeMsTruncatesTheClockAndHoldsLargeValues)
{
    GameClock::setManualSeconds(1.2349);
    EXPECT_EQ(GetTimeMs(), 1234);
    // Past the 32-bit range (about 24.9 days) the reading keeps counting.
    GameClock::setManualSeconds(3000000.0);
    EXPECT_EQ(GetTimeMs(), 3000000000LL);
}

TEST_F(TimeHelpersTest, HasElapsedWithoutAnEngineUsesTheNominalStep)
{
    ASSERT_EQ(Engine::current(), nullptr);
    GameClock::setManualSeconds(10.0);
    const int64_t start = GetTimeMs();
    EXPECT_FALSE(HasElapsed(start, 0));
    GameClock::advanceManualSeconds(0.001);
    EXPECT_TRUE(HasElapsed(start, 0));

    EXPECT_FALSE(HasElapsed(start, 100));
    GameClock::setManualSeconds(10.100);
    EXPECT_FALSE(HasElapsed(start, 100));
    GameClock::setManualSeconds(10.101);
    EXPECT_TRUE(HasElapsed(start, 100));

    // A start in the future reads as a huge elapsed time.
    EXPECT_TRUE(HasElapsed(start + 5000, 100));
}

TEST_F(TimeHelpersTest, HasElapsedStretchesWithTheAverageStepInterval)
{
    Engine engine("T", 800, 600, 10000);
    engine.makeCurrent();
    GameClock::setManualSeconds(0.0);
    // Twenty steps, 20 ms apart: timers take twice as long.
    for (int step = 1; step <= 20; ++step)
    {
        GameClock::setManualSeconds(step * 0.020);
        engine.advance(10000);
    }
    ASSERT_FLOAT_EQ(engine.getAverageStepInterval(), 20.0f);

    const int64_t start = GetTimeMs();
    GameClock::advanceManualSeconds(0.150);
    EXPECT_FALSE(HasElapsed(start, 100));
    GameClock::advanceManualSeconds(0.051);
    EXPECT_TRUE(HasElapsed(start, 100));
    engine.shutdown();
}
