#include "tools/FpsHistory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
// Feeds `count` samples of `fps`, one per sampling interval after the clock started at 1 s.
void Feed(FpsHistory& history, int count, float fps)
{
    for (int i = 0; i < count; ++i)
        history.addSample(fps);
}
}

TEST(FpsHistory, FirstCallOnlyStartsTheClock)
{
    FpsHistory history;
    history.catchUp(1.0, 60.0f);
    EXPECT_EQ(history.getFilled(), 0);
    EXPECT_DOUBLE_EQ(history.getNextSampleTime(), 1.0);
    EXPECT_EQ(history.average(), 0.0f);
    EXPECT_EQ(history.getCeiling(), 120);
}

TEST(FpsHistory, AverageCountsUnfilledSlotsAsZero)
{
    FpsHistory history;
    Feed(history, 45, 60.0f);
    EXPECT_FLOAT_EQ(history.average(), 30.0f);
}

// Every one of the 90 slots takes a sample before the buffer scrolls: no empty slot is ever
// pulled into the plot, and slot 0 always holds the oldest of the last 90.
TEST(FpsHistory, FillsAllNinetySlotsThenScrolls)
{
    FpsHistory history;
    for (int i = 1; i <= 90; ++i)
        history.addSample(static_cast<float>(i));
    EXPECT_EQ(history.getSamples()[0], 1.0f);
    EXPECT_EQ(history.getSamples()[89], 90.0f);

    history.addSample(91.0f);
    for (int i = 0; i < 90; ++i)
        ASSERT_EQ(history.getSamples()[i], static_cast<float>(i + 2)) << "slot " << i;
    EXPECT_FLOAT_EQ(history.average(), (2.0f + 91.0f) / 2.0f);
}

TEST(FpsHistory, CeilingFollowsTheHighestRateAndOnlyGrows)
{
    struct Case
    {
        const char* what;
        float fps;
        int32_t max;
        int32_t ceiling;
    };
    FpsHistory history;
    const Case cases[] = {{"steady 60 keeps the start", 60.0f, 100, 120},
                          {"one fast sample raises it", 150.0f, 150, 180},
                          {"slow again keeps it", 30.0f, 150, 180},
                          {"infinity leaves it", std::numeric_limits<float>::infinity(), 150, 180},
                          {"NaN leaves it", std::nanf(""), 150, 180}};
    for (const Case& c : cases)
    {
        history.addSample(c.fps);
        EXPECT_EQ(history.getMaxSampled(), c.max) << c.what;
        EXPECT_EQ(history.getCeiling(), c.ceiling) << c.what;
    }
    history.resetScale();
    EXPECT_EQ(history.getCeiling(), 120);
}

TEST(FpsHistory, ALongGapCatchesUpWithCopiesOfTheCurrentRate)
{
    FpsHistory history;
    history.catchUp(1.0, 30.0f);
    history.catchUp(11.0, 75.0f);
    // 25 samples per second for ten seconds, within one sample of float rounding.
    EXPECT_EQ(history.getFilled(), 90);
    EXPECT_NEAR(history.getNextSampleTime(), 11.0, 0.05);
    for (float sample : history.getSamples())
        EXPECT_EQ(sample, 75.0f);
}
