#include "graphics/DpiScale.h"

#include <gtest/gtest.h>

namespace {

// The settings list's rows of 36 pixels and their pictures at the usual DPI settings.
TEST(DpiScale, RoundsToTheNearestPixelAndKeeps96) {
    EXPECT_EQ(ScaleToDpi(36, 96), 36);
    EXPECT_EQ(ScaleToDpi(36, 120), 45);
    EXPECT_EQ(ScaleToDpi(36, 144), 54);
    EXPECT_EQ(ScaleToDpi(36, 192), 72);
    EXPECT_EQ(ScaleToDpi(15, 144), 23) << "22.5 rounds up";
    EXPECT_EQ(ScaleToDpi(16, 110), 18) << "18.33 rounds down";
}

TEST(DpiScale, AnUnknownDpiLeavesTheSize) {
    EXPECT_EQ(ScaleToDpi(36, 0), 36);
    EXPECT_EQ(ScaleToDpi(36, -1), 36);
}

} // namespace
