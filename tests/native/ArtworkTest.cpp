#include "graphics/ArtworkBitmap.h"
#include "graphics/ArtworkBytes.h"
#include "graphics/CBmp.h"
#include "support/PixelWords.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

bool ColumnHasAlpha(const CBmp& bitmap, int x) {
    for (int y = 0; y < bitmap.height; ++y)
        if ((bitmap.Pixel(x, y) >> 24) != 0)
            return true;
    return false;
}

// The flame sheet: its blue channel carries the flames, which the fire cuts into frames
// (CSetEmbraStart.ShippedArtworkGivesTheTwentyFrames); each run of columns holding a
// flame reaches the bottom row, where the flames stand.
TEST(Artwork, FlameSheetHoldsFlamesStandingOnTheBottomRow) {
    CBmp sheet;
    ASSERT_TRUE(LoadArtworkBitmap(135, sheet));
    EXPECT_EQ(sheet.width, 256);
    EXPECT_EQ(sheet.height, 64);
    EXPECT_EQ(sheet.hasAlpha, 1);
    sheet.CopyChannel(sheet, 0, 3);
    int runs = 0;
    for (int x = 0; x < sheet.width; ++x) {
        bool standing = false;
        const int left = x;
        for (; x < sheet.width && ColumnHasAlpha(sheet, x); ++x)
            standing = standing || (sheet.Pixel(x, sheet.height - 1) >> 24) != 0;
        if (x == left)
            continue;
        ++runs;
        EXPECT_TRUE(standing) << "the run from column " << left;
    }
    EXPECT_EQ(runs, 20);
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
    ASSERT_TRUE(LoadArtworkBitmap(144, strip));
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
    ASSERT_TRUE(LoadArtworkBitmap(164, splash));
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

struct AlphaCounts {
    int transparent = 0;
    int partial = 0;
    int opaque = 0;
    int dirtyTransparent = 0; // alpha 0 with colour left in it
};

AlphaCounts CountAlpha(const CBmp& bitmap) {
    AlphaCounts counts;
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x) {
            const uint32_t word = bitmap.Pixel(x, y);
            const uint32_t alpha = word >> 24;
            counts.transparent += alpha == 0 ? 1 : 0;
            counts.partial += alpha > 0 && alpha < 255 ? 1 : 0;
            counts.opaque += alpha == 255 ? 1 : 0;
            counts.dirtyTransparent += alpha == 0 && word != 0 ? 1 : 0;
        }
    return counts;
}

// The pictures of the interface with straight alpha: a shape standing free of its corners,
// a solid body, anti-aliased edges and clean transparent pixels.
TEST(Artwork, InterfacePicturesHaveTheirSizesAndSoftEdges) {
    struct Picture {
        int number;
        int side;
        int minimumOpaqueShare; // percent of the pixels, for the solid pictures
    };
    const Picture pictures[] = {
        {136, 96, 30}, {139, 96, 35}, {149, 96, 30}, // the buttons' pictures
        {141, 96, 0},  {142, 96, 0},  {150, 96, 0},  // their highlights
        {155, 32, 0},  {156, 32, 30}, {157, 32, 30}, {158, 24, 20},
    };
    for (const Picture& p : pictures) {
        SCOPED_TRACE(p.number);
        CBmp bitmap;
        ASSERT_TRUE(LoadArtworkBitmap(p.number, bitmap));
        EXPECT_EQ(bitmap.width, p.side);
        EXPECT_EQ(bitmap.height, p.side);
        EXPECT_EQ(bitmap.hasAlpha, 1);
        for (const int corner : {0, p.side - 1})
            EXPECT_EQ(bitmap.Pixel(corner, corner), 0u);
        const AlphaCounts counts = CountAlpha(bitmap);
        EXPECT_GT(counts.partial, p.side) << "anti-aliased edges";
        EXPECT_EQ(counts.dirtyTransparent, 0);
        EXPECT_GE(counts.opaque * 100, p.minimumOpaqueShare * p.side * p.side);
    }
}

// The highlight lies on its picture: wherever the highlight shows, the picture does too,
// so the texture that fills the picture's alpha lies under every part of it.
TEST(Artwork, HighlightsLieInsideTheirPictures) {
    const int pairs[][2] = {{136, 141}, {139, 142}, {149, 150}};
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair[1]);
        CBmp picture, highlight;
        ASSERT_TRUE(LoadArtworkBitmap(pair[0], picture));
        ASSERT_TRUE(LoadArtworkBitmap(pair[1], highlight));
        for (int y = 0; y < 96; ++y)
            for (int x = 0; x < 96; ++x) {
                const bool shows = (highlight.Pixel(x, y) >> 24) != 0;
                ASSERT_TRUE(!shows || (picture.Pixel(x, y) >> 24) != 0) << x << ", " << y;
            }
    }
    CBmp gear;
    ASSERT_TRUE(LoadArtworkBitmap(149, gear));
    EXPECT_EQ(gear.Pixel(48, 48), 0u) << "the gear has a hole";
}

double MeanStep(const CBmp& texture, int x0, int y0, int x1, int y1) {
    double sum = 0;
    for (int i = 0; i < 256; ++i) {
        const uint32_t a = texture.Pixel(x0 == -1 ? i : x0, y0 == -1 ? i : y0);
        const uint32_t b = texture.Pixel(x1 == -1 ? i : x1, y1 == -1 ? i : y1);
        for (int lane = 0; lane < 3; ++lane)
            sum += std::abs(static_cast<int>((a >> (8 * lane)) & 0xFF) -
                            static_cast<int>((b >> (8 * lane)) & 0xFF));
    }
    return sum / 256;
}

// The textures scroll with wrap-around inside the buttons: they are opaque, and across
// the wrap (last column to first, last row to first) they change no more than between
// neighbours elsewhere.
TEST(Artwork, TexturesAreOpaqueAndTileWithoutASeam) {
    for (const int number : {138, 140}) {
        SCOPED_TRACE(number);
        CBmp texture;
        ASSERT_TRUE(LoadArtworkBitmap(number, texture));
        ASSERT_EQ(texture.width, 256);
        ASSERT_EQ(texture.height, 256);
        EXPECT_EQ(texture.hasAlpha, 0);
        EXPECT_EQ(CountAlpha(texture).opaque, 256 * 256);
        const double acrossColumns = MeanStep(texture, 255, -1, 0, -1);
        const double acrossRows = MeanStep(texture, -1, 255, -1, 0);
        EXPECT_LE(acrossColumns, 2 * MeanStep(texture, 127, -1, 128, -1) + 1);
        EXPECT_LE(acrossRows, 2 * MeanStep(texture, -1, 127, -1, 128) + 1);
        EXPECT_GT(MeanStep(texture, 0, -1, 128, -1), 10.0) << "not a flat colour";
    }
}

TEST(Artwork, IconHoldsTheFlameAtSixteenAndThirtyTwo) {
    const uint8_t* data = nullptr;
    std::size_t size = 0;
    ASSERT_TRUE(FindIconBytes(107, &data, &size));
    ASSERT_GE(size, 6u + 2 * 16);
    EXPECT_EQ(data[4], 2); // two pictures
    for (int entry = 0; entry < 2; ++entry)
        EXPECT_EQ(data[6 + 16 * entry + 6], 32) << "32 bits per pixel";
    for (const int side : {16, 32}) {
        SCOPED_TRACE(side);
        CBmp icon;
        icon.LoadIconBytes(data, size, side);
        ASSERT_NE(icon.pixels, nullptr);
        EXPECT_EQ(icon.width, side);
        EXPECT_EQ(icon.hasAlpha, 1);
        EXPECT_EQ(icon.Pixel(0, 0), 0u);
        EXPECT_EQ(icon.Pixel(side / 2, side * 3 / 4) >> 24, 255u) << "the flame's body";
        const AlphaCounts counts = CountAlpha(icon);
        EXPECT_GT(counts.partial, side / 2);
        EXPECT_EQ(counts.dirtyTransparent, 0);
    }
    CBmp missing;
    missing.LoadIconBytes(data, size, 48);
    EXPECT_EQ(missing.pixels, nullptr);
}

TEST(Artwork, IconDecoderRefusesShortOrForeignBytes) {
    const uint8_t* data = nullptr;
    std::size_t size = 0;
    ASSERT_TRUE(FindIconBytes(107, &data, &size));
    const std::vector<uint8_t> whole(data, data + size);
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases = {
        {"cut inside the directory", {whole.begin(), whole.begin() + 20}},
        {"cut inside the pixels", {whole.begin(), whole.end() - 2000}},
        {"a cursor, not an icon", whole},
        {"empty", {}},
    };
    cases[2].bytes[2] = 2;
    for (const Case& c : cases) {
        CBmp icon;
        icon.LoadIconBytes(c.bytes.data(), c.bytes.size(), 32);
        EXPECT_EQ(icon.pixels, nullptr) << c.what;
    }
}

TEST(Artwork, OnlyTheGeneratedPicturesAreFound) {
    const uint8_t* data = nullptr;
    std::size_t size = 0;
    for (const int number :
         {135, 144, 164, 136, 138, 139, 140, 141, 142, 149, 150, 155, 156, 157, 158})
        EXPECT_TRUE(FindArtworkBytes(number, &data, &size)) << number;
    EXPECT_FALSE(FindArtworkBytes(107, &data, &size)); // an icon, not a bitmap
    EXPECT_FALSE(FindArtworkBytes(137, &data, &size));
    EXPECT_FALSE(FindArtworkBytes(135, nullptr, &size));
    EXPECT_TRUE(FindIconBytes(107, &data, &size));
    EXPECT_FALSE(FindIconBytes(136, &data, &size));
}

} // namespace
