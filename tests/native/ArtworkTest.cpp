#include "graphics/ArtworkBytes.h"
#include "support/TestBitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

uint32_t HighestAlpha(const CBmp& bitmap, int top, int bottom) {
    uint32_t highest = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < bitmap.width; ++x)
            highest = std::max(highest, bitmap.Pixel(x, y) >> 24);
    return highest;
}

uint32_t HighestAlpha(const CBmp& bitmap) {
    return HighestAlpha(bitmap, 0, bitmap.height);
}

bool ColumnHasAlpha(const CBmp& bitmap, int x) {
    for (int y = 0; y < bitmap.height; ++y)
        if ((bitmap.Pixel(x, y) >> 24) != 0)
            return true;
    return false;
}

// The flames as the fire cuts them, in sheet order: trimmed size and highest alpha.
struct FrameExpectation {
    int width;
    int height;
    uint32_t peakAlpha;
};
constexpr FrameExpectation kFlameFrames[] = {
    {38, 64, 105}, {13, 64, 103}, {13, 64, 90},  {16, 57, 101}, {16, 58, 112},
    {14, 50, 115}, {16, 45, 114}, {13, 33, 114}, {12, 28, 108}, {10, 20, 74},
    {8, 15, 72},   {9, 12, 58},   {9, 9, 64},    {6, 7, 69},    {6, 6, 69},
    {5, 5, 60},    {4, 7, 150},   {4, 6, 150},   {4, 5, 150},   {3, 4, 150},
};

// Cut the way the fire's start does it: blue becomes alpha, alpha is scaled by 150 / 255,
// runs of non-transparent columns are copied out over the full height and trimmed.
TEST(Artwork, FlameSheetCutsIntoTheTwentyFlameFrames) {
    CBmp sheet;
    ASSERT_TRUE(LoadArtwork(135, sheet));
    EXPECT_EQ(sheet.width, 256);
    EXPECT_EQ(sheet.height, 64);
    EXPECT_EQ(sheet.hasAlpha, 1);
    sheet.CopyChannel(sheet, 0, 3);
    sheet.ScaleAlpha(150, 0);
    std::vector<std::unique_ptr<CBmp>> frames;
    for (int x = 0; x < sheet.width; ++x) {
        const int left = x;
        while (x < sheet.width && ColumnHasAlpha(sheet, x))
            ++x;
        if (x == left)
            continue;
        frames.push_back(std::make_unique<CBmp>());
        frames.back()->CopyRect(sheet, left, 0, x, sheet.height);
        EXPECT_GT(HighestAlpha(*frames.back(), 63, 64), 0u) << "stands on the bottom row";
        frames.back()->Trim();
    }
    ASSERT_EQ(frames.size(), std::size(kFlameFrames));
    for (std::size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(frames[i]->width, kFlameFrames[i].width);
        EXPECT_EQ(frames[i]->height, kFlameFrames[i].height);
        EXPECT_EQ(HighestAlpha(*frames[i]), kFlameFrames[i].peakAlpha);
    }
}

// Entries the colour strip must carry; straight interpolation between neighbours must stay
// within 6 per channel of every entry.
struct StripStop {
    int index;
    int channels[3]; // red, green, blue
};
constexpr StripStop kStripStops[] = {
    {0, {133, 133, 133}},   {16, {133, 133, 139}},  {32, {133, 133, 146}}, {48, {135, 133, 146}},
    {56, {136, 132, 146}},  {64, {141, 121, 141}},  {68, {149, 96, 117}},  {72, {159, 63, 83}},
    {73, {162, 54, 74}},    {74, {185, 1, 7}},      {80, {194, 10, 0}},    {88, {201, 44, 0}},
    {96, {207, 89, 0}},     {104, {213, 131, 0}},   {112, {216, 147, 3}},  {128, {221, 161, 4}},
    {144, {225, 174, 5}},   {160, {230, 186, 6}},   {176, {235, 197, 9}},  {192, {239, 207, 13}},
    {208, {243, 216, 20}},  {224, {246, 224, 31}},  {232, {249, 234, 62}}, {240, {250, 239, 103}},
    {248, {251, 242, 143}}, {255, {251, 245, 168}},
};

TEST(Artwork, ColourStripRunsThroughTheStops) {
    CBmp strip;
    ASSERT_TRUE(LoadArtwork(144, strip));
    ASSERT_EQ(strip.width, 256);
    ASSERT_EQ(strip.height, 1);
    EXPECT_EQ(strip.hasAlpha, 0); // a 24-bit picture
    for (std::size_t k = 0; k + 1 < std::size(kStripStops); ++k) {
        const StripStop& a = kStripStops[k];
        const StripStop& b = kStripStops[k + 1];
        for (int i = a.index; i <= b.index; ++i) {
            const uint32_t word = strip.Pixel(i, 0);
            EXPECT_EQ(word >> 24, 255u) << i;
            const double share = static_cast<double>(i - a.index) / (b.index - a.index);
            for (int c = 0; c < 3; ++c) {
                const auto actual = static_cast<int>((word >> (16 - 8 * c)) & 0xFF);
                const double expected = a.channels[c] + (b.channels[c] - a.channels[c]) * share;
                EXPECT_NEAR(actual, expected, 6.0) << "entry " << i << " channel " << c;
            }
        }
    }
}

int CoveredColumns(const CBmp& bitmap, int row) {
    int count = 0;
    for (int x = 0; x < bitmap.width; ++x)
        count += (bitmap.Pixel(x, row) >> 24) != 0 ? 1 : 0;
    return count;
}

TEST(Artwork, SplashIsADomeAboveAFadingReflection) {
    CBmp splash;
    ASSERT_TRUE(LoadArtwork(164, splash));
    ASSERT_EQ(splash.width, 64);
    ASSERT_EQ(splash.height, 32);
    EXPECT_EQ(splash.hasAlpha, 1);
    EXPECT_LT(HighestAlpha(splash), 255u); // the colour always comes from the ramp
    const auto rowPeak = [&](int row) { return HighestAlpha(splash, row, row + 1); };

    EXPECT_EQ(CoveredColumns(splash, 0), 3);
    EXPECT_NE(splash.Pixel(32, 0) >> 24, 0u); // the tip is at the centre
    EXPECT_EQ(rowPeak(0), 121u);
    for (int row = 1; row <= 8; ++row)
        EXPECT_GT(rowPeak(row), rowPeak(row - 1)) << row;
    for (int row = 8; row <= 15; ++row)
        EXPECT_EQ(rowPeak(row), 252u) << row;
    for (int row = 16; row <= 17; ++row)
        EXPECT_NEAR(rowPeak(row), 250.0, 3.0) << row;

    const int widest = CoveredColumns(splash, 18);
    EXPECT_GE(widest, 56);
    for (int row = 1; row <= 17; ++row)
        EXPECT_GE(CoveredColumns(splash, row), CoveredColumns(splash, row - 1)) << row;
    EXPECT_EQ(CoveredColumns(splash, 17), widest);
    EXPECT_EQ(CoveredColumns(splash, 19), widest);

    EXPECT_EQ(rowPeak(19), 191u);
    EXPECT_EQ(rowPeak(31), 8u);
    for (int row = 20; row < 32; ++row) {
        EXPECT_LT(rowPeak(row), rowPeak(row - 1)) << row;
        EXPECT_LT(CoveredColumns(splash, row), widest) << row;
    }
}

TEST(Artwork, OnlyTheGeneratedBitmapsAreFound) {
    const uint8_t* data = nullptr;
    std::size_t size = 0;
    for (const int number : {135, 144, 164})
        EXPECT_TRUE(FindArtworkBytes(number, &data, &size)) << number;
    EXPECT_FALSE(FindArtworkBytes(136, &data, &size));
    EXPECT_FALSE(FindArtworkBytes(135, nullptr, &size));
}

} // namespace
