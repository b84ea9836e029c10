#include "graphics/ArtworkBytes.h"
#include "support/TestBitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct FrameExpectation {
    int width;
    int height;
    int peakAlpha;
};

// The flames as the fire cuts them, in sheet order: trimmed size and highest alpha.
constexpr FrameExpectation kFlameFrames[] = {
    {38, 64, 105}, {13, 64, 103}, {13, 64, 90},  {16, 57, 101}, {16, 58, 112},
    {14, 50, 115}, {16, 45, 114}, {13, 33, 114}, {12, 28, 108}, {10, 20, 74},
    {8, 15, 72},   {9, 12, 58},   {9, 9, 64},    {6, 7, 69},    {6, 6, 69},
    {5, 5, 60},    {4, 7, 150},   {4, 6, 150},   {4, 5, 150},   {3, 4, 150},
};

bool ColumnHasAlpha(const CBmp& bitmap, int x) {
    for (int y = 0; y < bitmap.height; ++y)
        if ((bitmap.Pixel(x, y) >> 24) != 0)
            return true;
    return false;
}

int LowestRowWithAlpha(const CBmp& bitmap) {
    for (int y = bitmap.height - 1; y >= 0; --y)
        for (int x = 0; x < bitmap.width; ++x)
            if ((bitmap.Pixel(x, y) >> 24) != 0)
                return y;
    return -1;
}

uint32_t HighestAlpha(const CBmp& bitmap, int row) {
    uint32_t highest = 0;
    for (int x = 0; x < bitmap.width; ++x)
        highest = std::max(highest, bitmap.Pixel(x, row) >> 24);
    return highest;
}

uint32_t HighestAlpha(const CBmp& bitmap) {
    uint32_t highest = 0;
    for (int y = 0; y < bitmap.height; ++y)
        highest = std::max(highest, HighestAlpha(bitmap, y));
    return highest;
}

// Columns covered by non-zero alpha in a row: first and one past the last, and the count.
struct RowSpan {
    int first = -1;
    int end = -1;
    int count = 0;
};

RowSpan SpanOfRow(const CBmp& bitmap, int row) {
    RowSpan span;
    for (int x = 0; x < bitmap.width; ++x) {
        if ((bitmap.Pixel(x, row) >> 24) == 0)
            continue;
        if (span.first < 0)
            span.first = x;
        span.end = x + 1;
        ++span.count;
    }
    return span;
}

// The sheet turned into frames the way the fire's start does it: blue becomes alpha,
// alpha scaled by 150 / 255, runs of non-transparent columns cut out and trimmed. Each
// frame remembers the lowest sheet row it covered before trimming.
struct CutFrame {
    std::unique_ptr<CBmp> bitmap;
    int lowestRow;
};

std::vector<CutFrame> CutFlameSheet(const CBmp& sheet) {
    CBmp work;
    work.Copy(sheet);
    work.CopyChannel(work, 0, 3);
    work.ScaleAlpha(150, 0);
    std::vector<CutFrame> frames;
    for (int x = 0; x < work.width;) {
        if (!ColumnHasAlpha(work, x)) {
            ++x;
            continue;
        }
        const int left = x;
        while (x < work.width && ColumnHasAlpha(work, x))
            ++x;
        auto frame = std::make_unique<CBmp>();
        frame->CopyRect(work, left, 0, x, work.height);
        const int lowest = LowestRowWithAlpha(*frame);
        frame->Trim();
        frames.push_back({std::move(frame), lowest});
    }
    return frames;
}

TEST(Artwork, FlameSheetCutsIntoTheTwentyFlameFrames) {
    CBmp sheet;
    ASSERT_TRUE(LoadArtwork(135, sheet));
    EXPECT_EQ(sheet.width, 256);
    EXPECT_EQ(sheet.height, 64);
    EXPECT_EQ(sheet.hasAlpha, 1);
    const std::vector<CutFrame> frames = CutFlameSheet(sheet);
    ASSERT_EQ(frames.size(), std::size(kFlameFrames));
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const CBmp& frame = *frames[i].bitmap;
        SCOPED_TRACE(i);
        EXPECT_EQ(frame.width, kFlameFrames[i].width);
        EXPECT_EQ(frame.height, kFlameFrames[i].height);
        EXPECT_EQ(HighestAlpha(frame), static_cast<uint32_t>(kFlameFrames[i].peakAlpha));
        EXPECT_EQ(frames[i].lowestRow, 63); // every flame stands on the bottom row
    }
}

TEST(Artwork, FlameSheetIsGreyWithTheMaskAsAlpha) {
    CBmp sheet;
    ASSERT_TRUE(LoadArtwork(135, sheet));
    for (int y = 0; y < sheet.height; ++y) {
        for (int x = 0; x < sheet.width; ++x) {
            const uint32_t word = sheet.Pixel(x, y);
            const uint32_t blue = word & 0xFF;
            ASSERT_EQ(word, blue * 0x01010101u) << x << "," << y;
        }
    }
}

struct StripStop {
    int index;
    int red;
    int green;
    int blue;
};

// Entries the fire's colour table must carry (within 6 per channel), and between which
// straight interpolation must stay within 6 of every other entry.
constexpr StripStop kStripStops[] = {
    {0, 133, 133, 133},   {16, 133, 133, 139},  {32, 133, 133, 146}, {48, 135, 133, 146},
    {56, 136, 132, 146},  {64, 141, 121, 141},  {68, 149, 96, 117},  {72, 159, 63, 83},
    {73, 162, 54, 74},    {74, 185, 1, 7},      {80, 194, 10, 0},    {88, 201, 44, 0},
    {96, 207, 89, 0},     {104, 213, 131, 0},   {112, 216, 147, 3},  {128, 221, 161, 4},
    {144, 225, 174, 5},   {160, 230, 186, 6},   {176, 235, 197, 9},  {192, 239, 207, 13},
    {208, 243, 216, 20},  {224, 246, 224, 31},  {232, 249, 234, 62}, {240, 250, 239, 103},
    {248, 251, 242, 143}, {255, 251, 245, 168},
};

void ExpectChannelNear(uint32_t word, int shift, int from, int to, int at, int length) {
    const int actual = static_cast<int>((word >> shift) & 0xFF);
    const double expected = from + (to - from) * static_cast<double>(at) / length;
    EXPECT_NEAR(actual, expected, 6.0) << "channel shift " << shift;
}

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
            const int at = i - a.index;
            const int length = b.index - a.index;
            SCOPED_TRACE(i);
            EXPECT_EQ(word >> 24, 255u);
            ExpectChannelNear(word, 16, a.red, b.red, at, length);
            ExpectChannelNear(word, 8, a.green, b.green, at, length);
            ExpectChannelNear(word, 0, a.blue, b.blue, at, length);
        }
    }
}

TEST(Artwork, SplashIsADomeAboveAFadingReflection) {
    CBmp splash;
    ASSERT_TRUE(LoadArtwork(164, splash));
    ASSERT_EQ(splash.width, 64);
    ASSERT_EQ(splash.height, 32);
    EXPECT_EQ(splash.hasAlpha, 1);
    EXPECT_LT(HighestAlpha(splash), 255u); // the colour always comes from the ramp

    const RowSpan tip = SpanOfRow(splash, 0);
    EXPECT_EQ(tip.count, 3);
    EXPECT_EQ(tip.end - tip.first, 3);
    EXPECT_LE(std::abs(tip.first + tip.end - 64), 2); // centred
    EXPECT_EQ(HighestAlpha(splash, 0), 121u);

    int widest = 0;
    for (int row = 0; row < 32; ++row)
        widest = std::max(widest, SpanOfRow(splash, row).count);
    EXPECT_GE(widest, 56);
    for (int row = 17; row <= 19; ++row)
        EXPECT_EQ(SpanOfRow(splash, row).count, widest) << row;
    for (int row = 1; row <= 17; ++row)
        EXPECT_GE(SpanOfRow(splash, row).count, SpanOfRow(splash, row - 1).count) << row;
    for (int row = 1; row <= 8; ++row)
        EXPECT_GT(HighestAlpha(splash, row), HighestAlpha(splash, row - 1)) << row;
    for (int row = 8; row <= 15; ++row)
        EXPECT_EQ(HighestAlpha(splash, row), 252u) << row;
    for (int row = 16; row <= 17; ++row)
        EXPECT_NEAR(HighestAlpha(splash, row), 250.0, 3.0) << row;

    EXPECT_EQ(HighestAlpha(splash, 19), 191u);
    EXPECT_EQ(HighestAlpha(splash, 31), 8u);
    for (int row = 20; row < 32; ++row) {
        EXPECT_LT(HighestAlpha(splash, row), HighestAlpha(splash, row - 1)) << row;
        EXPECT_LT(SpanOfRow(splash, row).count, widest) << row;
    }
}

// The water squeezes the splash into frames 1, 3, ..., 15 and then 16, 15, ..., 1 rows
// high; every one of the 24 must still show something.
TEST(Artwork, SplashSqueezedIntoFramesKeepsItsAlpha) {
    CBmp splash;
    ASSERT_TRUE(LoadArtwork(164, splash));
    std::vector<int> heights;
    for (int j = 0; j < splash.height / 2; j += 2)
        heights.push_back(j + 1);
    for (int j = splash.height / 2; j < splash.height; ++j)
        heights.push_back(splash.height - j);
    ASSERT_EQ(heights.size(), 24u);
    for (const int height : heights) {
        CBmp frame;
        frame.Copy(splash);
        frame.Resize(splash.width, height);
        ASSERT_EQ(frame.height, height);
        EXPECT_GT(HighestAlpha(frame), 0u) << height;
        EXPECT_LT(HighestAlpha(frame), 255u) << height;
    }
}

TEST(Artwork, OnlyTheGeneratedBitmapsAreFound) {
    const uint8_t* data = nullptr;
    std::size_t size = 0;
    for (const int number : {135, 144, 164}) {
        EXPECT_TRUE(FindArtworkBytes(number, &data, &size)) << number;
        EXPECT_GT(size, 54u);
    }
    EXPECT_FALSE(FindArtworkBytes(136, &data, &size));
    EXPECT_FALSE(FindArtworkBytes(135, nullptr, &size));
    EXPECT_FALSE(FindArtworkBytes(135, &data, nullptr));
}

} // namespace
