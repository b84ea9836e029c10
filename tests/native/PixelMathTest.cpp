#include "graphics/PixelMath.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(PixelMath, AlphaUnionOverAllBytes) {
    for (uint32_t s = 0; s < 256; ++s)
        for (uint32_t d = 0; d < 256; ++d)
            ASSERT_EQ(PixelMath::AlphaUnion(s, d), s + d - (s * d) / 255) << s << " over " << d;
    EXPECT_EQ(PixelMath::AlphaUnion(128, 128), 192u); // 256 - 16384/255 truncated to 64
}

TEST(PixelMath, OpacityFactorTruncatesAndClamps) {
    const int percents[] = {50, 99, 10, 0, 100, 150, -5}; // the last two lie outside 0..100
    const uint32_t factors[] = {128, 253, 25, 0, 256, 256, 0};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(PixelMath::OpacityFactor(percents[i]), factors[i]) << percents[i];
}
