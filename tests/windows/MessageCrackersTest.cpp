#include "ui/MessageCrackers.h"

#include <gtest/gtest.h>

// Points in lParam are signed words: a window left of or above the primary monitor gets a
// negative position, never 65 000 and more.
TEST(MessageCrackers, PointsAreSignedWords) {
    const LPARAM packed = MAKELPARAM(static_cast<WORD>(-5), static_cast<WORD>(-32768));
    const POINT point = PointOf(packed);
    EXPECT_EQ(point.x, -5);
    EXPECT_EQ(point.y, -32768);
    const CommonArgs args = CommonArgsOf(MK_LBUTTON, packed);
    EXPECT_EQ(args.keys, static_cast<UINT>(MK_LBUTTON));
    EXPECT_EQ(args.x, -5);
    EXPECT_EQ(args.y, -32768);
    // The same words read unsigned, as sizes and key data are.
    EXPECT_EQ(args.low, 0xFFFBu);
    EXPECT_EQ(args.high, 0x8000u);
}

// A wheel turned towards the user is negative; the keys held sit in the low word.
TEST(MessageCrackers, WheelScrollAndCommandWords) {
    const WPARAM wheel = MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-2 * WHEEL_DELTA));
    EXPECT_EQ(WheelDeltaOf(wheel), -240);
    EXPECT_EQ(WheelKeysOf(wheel), static_cast<UINT>(MK_CONTROL));
    EXPECT_EQ(ScrollCodeOf(MAKEWPARAM(SB_THUMBPOSITION, 40000)),
              static_cast<UINT>(SB_THUMBPOSITION));
    EXPECT_EQ(ScrollThumbOf(MAKEWPARAM(SB_THUMBPOSITION, 40000)), 40000u);
    EXPECT_EQ(CommandIdOf(MAKEWPARAM(1017, BN_CLICKED)), 1017u);
    EXPECT_EQ(CommandCodeOf(MAKEWPARAM(1017, EN_CHANGE)), static_cast<UINT>(EN_CHANGE));
    EXPECT_EQ(DpiOf(MAKEWPARAM(144, 144)), 144);
    EXPECT_TRUE(IsFirstPress(1));
    EXPECT_FALSE(IsFirstPress(static_cast<LPARAM>(KF_REPEAT) << 16));
}
