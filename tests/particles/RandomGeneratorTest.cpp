#include "particles/RandomGenerator.h"

#include <gtest/gtest.h>

#include <random>

TEST(RandomGenerator, DefaultSeedSequenceIsTheMersenneTwistersOwn)
{
    // 5489 is mt19937's default seed; its first output is 3499211612.
    RandomGenerator random(5489);
    EXPECT_FLOAT_EQ(random.range(0.0f, 1.0f), 0.81472367f); // 3499211612 / 2^32
    EXPECT_FLOAT_EQ(random.range(-5.0f, 5.0f), -3.6452298f); // 581869302 / 2^32 * 10 - 5
    EXPECT_EQ(random.rangeInt(0, 9), 9);
    EXPECT_EQ(random.rangeInt(1, 2), 2);
    EXPECT_EQ(random.rangeInt(-3, 3), -3);
}

TEST(RandomGenerator, OnlyTheLowThirtyTwoBitsOfTheSeedCount)
{
    RandomGenerator high(42 + (uint64_t{1} << 32));
    RandomGenerator low(42);
    EXPECT_EQ(high.getSeed(), 42 + (uint64_t{1} << 32));
    EXPECT_FLOAT_EQ(high.range(-0.5f, 0.5f), -0.12545988f);
    EXPECT_FLOAT_EQ(high.range(2.0f, -2.0f), 1.1861720f);
    EXPECT_EQ(high.rangeInt(-100, 100), 91);
    EXPECT_EQ(high.rangeInt(100, -100), -64);
    EXPECT_FLOAT_EQ(high.range(0.0f, 1.0f), 0.73199391f);

    RandomGenerator again(42);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(low.range(0.0f, 1.0f), again.range(0.0f, 1.0f));
}

TEST(RandomGenerator, EachDrawTakesExactlyOneEngineOutput)
{
    RandomGenerator random(7);
    std::mt19937 engine(7);
    random.rangeInt(0, 5);
    random.range(0.0f, 1.0f);
    engine();
    engine();
    EXPECT_FLOAT_EQ(random.range(0.0f, 1.0f), static_cast<float>(engine()) * 2.3283064e-10f);
}

TEST(RandomGenerator, BoundsInEitherOrderAndDegenerateRanges)
{
    RandomGenerator a(99);
    RandomGenerator b(99);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(a.range(5.0f, -5.0f), b.range(-5.0f, 5.0f));

    RandomGenerator random(3);
    EXPECT_EQ(random.range(2.5f, 2.5f), 2.5f);
    EXPECT_EQ(random.rangeInt(3, 3), 3);
    EXPECT_EQ(random.rangeInt(0, 0), 0);
}

TEST(RandomGenerator, WholeNumbersCoverBothEndsEvenly)
{
    RandomGenerator random(12345);
    int ones = 0;
    int twos = 0;
    for (int i = 0; i < 10000; ++i)
    {
        const int32_t value = random.rangeInt(1, 2);
        ASSERT_TRUE(value == 1 || value == 2);
        (value == 1 ? ones : twos)++;
    }
    EXPECT_NEAR(ones, 5000, 200);
    EXPECT_NEAR(twos, 5000, 200);

    for (int i = 0; i < 10000; ++i)
    {
        const int32_t value = random.rangeInt(-7, 7);
        ASSERT_GE(value, -7);
        ASSERT_LE(value, 7);
    }
}

TEST(RandomGenerator, ExtremeBoundsStayInsideTheRange)
{
    RandomGenerator random(1);
    for (int i = 0; i < 2000; ++i)
    {
        const int32_t value = random.rangeInt(-2147483647, 2147483647);
        ASSERT_GE(value, -2147483647);
        ASSERT_LE(value, 2147483647);
    }
}
