#include "graphics/PngImageData.h"

#include <gtest/gtest.h>

// A filter byte starts every row, and an interlaced image has rows in each of its seven passes.
TEST(PngImageData, FilteredSizeCountsAFilterByteForEveryRowOfEveryPass)
{
    EXPECT_EQ(PngFilteredSize(16, 16, 32, false), 1040u);
    EXPECT_EQ(PngFilteredSize(3, 2, 1, false), 4u);  // three one-bit pixels pack into a byte
    EXPECT_EQ(PngFilteredSize(5, 3, 32, true), 67u);
    EXPECT_EQ(PngFilteredSize(1, 1, 8, true), 2u);  // only the first pass holds a pixel
}
