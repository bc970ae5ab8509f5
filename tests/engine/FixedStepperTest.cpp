#include "engine/FixedStepper.h"

#include <gtest/gtest.h>

namespace
{
int StepsFor(FixedStepper& stepper, int64_t frameMicros)
{
    stepper.addFrameTime(frameMicros);
    int steps = 0;
    while (stepper.takeStep())
        ++steps;
    return steps;
}
}

TEST(FixedStepper, StepsPerFrameWithTheTwoStepCap)
{
    FixedStepper stepper(10000);

    // The first frame's time is the whole clock reading: capped at two steps.
    EXPECT_EQ(StepsFor(stepper, 123456789), 2);
    EXPECT_EQ(stepper.getAccumulator(), 0);

    // 35 ms runs two steps and drops the 15 ms beyond the cap.
    EXPECT_EQ(StepsFor(stepper, 35000), 2);
    EXPECT_EQ(stepper.getAccumulator(), 0);

    // 5 ms runs no step; the remainder is kept for the next frame.
    EXPECT_EQ(StepsFor(stepper, 5000), 0);
    EXPECT_EQ(stepper.getAccumulator(), 5000);
    EXPECT_EQ(StepsFor(stepper, 5000), 1);

    EXPECT_EQ(StepsFor(stepper, 9999), 0);
    EXPECT_EQ(StepsFor(stepper, 1), 1);
}

TEST(FixedStepper, HistoryShiftsNewestFirstAndAveragesTwentySamples)
{
    FixedStepper stepper(10000);
    EXPECT_FLOAT_EQ(stepper.getAverageStepInterval(), 0.0f);

    // The last step time starts at 0, so the first sample is the whole clock reading.
    stepper.recordStep(1000);
    EXPECT_EQ(stepper.getHistory()[0], 1000u);
    EXPECT_FLOAT_EQ(stepper.getAverageStepInterval(), 50.0f);

    for (int step = 1; step <= 19; ++step)
        stepper.recordStep(1000 + step * 10);
    EXPECT_EQ(stepper.getHistory()[19], 1000u);
    EXPECT_EQ(stepper.getHistory()[0], 10u);
    EXPECT_FLOAT_EQ(stepper.getAverageStepInterval(), (1000.0f + 19 * 10.0f) / 20.0f);

    // The inflated first sample drops out after twenty more steps.
    stepper.recordStep(1000 + 20 * 10);
    EXPECT_FLOAT_EQ(stepper.getAverageStepInterval(), 10.0f);

    // Twenty-millisecond steps double the average.
    for (int step = 1; step <= 20; ++step)
        stepper.recordStep(1200 + step * 20);
    EXPECT_FLOAT_EQ(stepper.getAverageStepInterval(), 20.0f);
}
