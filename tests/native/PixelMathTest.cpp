#include "graphics/PixelMath.h"

#include <gtest/gtest.h>

#include <cstdint>

// Hand-worked rows of s + d - s*d/255, truncating, and what every pair must hold: the union
// is symmetric, never below either alpha nor above 255, and grows with either.
TEST(PixelMath, AlphaUnionOverAllBytes) {
    struct Row {
        uint32_t s, d, expected;
    };
    const Row rows[] = {
        {0, 0, 0},
        {0, 200, 200},
        {200, 0, 200},
        {255, 17, 255},
        {17, 255, 255},
        {128, 128, 192} /* 256 - 16384/255 truncated to 64 */,
        {1, 1, 2},
        {254, 254, 255} /* 508 - 253 */,
        {100, 50, 131} /* 150 - 19 */,
    };
    for (const Row& row : rows)
        EXPECT_EQ(PixelMath::AlphaUnion(row.s, row.d), row.expected) << row.s << " over " << row.d;
    for (uint32_t s = 0; s < 256; ++s)
        for (uint32_t d = 0; d < 256; ++d) {
            const uint32_t a = PixelMath::AlphaUnion(s, d);
            ASSERT_EQ(a, PixelMath::AlphaUnion(d, s)) << s << " over " << d;
            ASSERT_TRUE(a >= s && a >= d && a <= 255) << s << " over " << d;
            if (s > 0) {
                ASSERT_GE(a, PixelMath::AlphaUnion(s - 1, d)) << s << " over " << d;
            }
        }
}

TEST(PixelMath, OpacityFactorTruncatesAndClamps) {
    const int percents[] = {50, 99, 10, 0, 100, 150, -5}; // the last two lie outside 0..100
    const uint32_t factors[] = {128, 253, 25, 0, 256, 256, 0};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(PixelMath::OpacityFactor(percents[i]), factors[i]) << percents[i];
}
