#include "graphics/CBmp.h"
#include "graphics/PixelMath.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <vector>

namespace {

void Load(CBmp& bmp, int width, int height, std::initializer_list<uint32_t> words) {
    bmp.Create(width, height);
    int i = 0;
    for (uint32_t word : words) {
        bmp.SetPixel(i % width, i / width, word);
        ++i;
    }
}

std::vector<uint32_t> Words(const CBmp& bmp) {
    std::vector<uint32_t> words;
    for (int y = 0; y < bmp.height; ++y)
        for (int x = 0; x < bmp.width; ++x)
            words.push_back(bmp.Pixel(x, y));
    return words;
}

using Words_ = std::vector<uint32_t>;

} // namespace

TEST(PixelMath, AlphaUnionOverAllBytes) {
    for (uint32_t s = 0; s < 256; ++s)
        for (uint32_t d = 0; d < 256; ++d) {
            const uint32_t expected = s + d - (s * d) / 255;
            ASSERT_EQ(PixelMath::AlphaUnion(s, d), expected) << s << " over " << d;
            ASSERT_LE(PixelMath::AlphaUnion(s, d), 255u);
        }
    EXPECT_EQ(PixelMath::AlphaUnion(128, 128), 192u); // 256 - 16384/255 = 256 - 64
}

TEST(PixelMath, OpacityFactor) {
    const struct {
        int percent;
        uint32_t factor;
    } cases[] = {
        {50, 128}, {99, 253},  {10, 25},
        {0, 0},    {100, 256}, {150, 256}, // clamped: never scales above the byte
        {-5, 0},                           // clamped: never negative
    };
    for (const auto& c : cases)
        EXPECT_EQ(PixelMath::OpacityFactor(c.percent), c.factor) << c.percent;
}

TEST(CBmp, CreateGivesZeroedOwnedPixelsOrNothing) {
    CBmp bmp;
    EXPECT_FALSE(bmp.name.IsNull());
    bmp.name = "sprite";
    bmp.hasAlpha = 1;
    bmp.Create(3, 2);
    ASSERT_NE(bmp.pixels, nullptr);
    EXPECT_EQ(bmp.byteSize, 24);
    EXPECT_STREQ(bmp.name.c_str(), "");
    EXPECT_EQ(bmp.hasAlpha, 0);
    EXPECT_EQ(Words(bmp), Words_(6, 0u));
    const int bad[][2] = {{-4, 5}, {5, 0}, {50000, 50000}}; // negative, empty, beyond 2^31 bytes
    for (const auto& size : bad) {
        bmp.Create(size[0], size[1]);
        EXPECT_EQ(bmp.pixels, nullptr);
        EXPECT_EQ(bmp.byteSize, 0);
        EXPECT_EQ(bmp.width, 0);
    }
}

TEST(CBmp, FillWritesLittleEndianWords) {
    CBmp bmp;
    bmp.Create(2, 1);
    bmp.Fill(0x80112233);
    const uint8_t expected[] = {0x33, 0x22, 0x11, 0x80, 0x33, 0x22, 0x11, 0x80};
    EXPECT_EQ(std::memcmp(bmp.pixels, expected, sizeof expected), 0);
    EXPECT_EQ(bmp.Pixel(2, 0), 0u); // outside reads 0
    bmp.SetPixel(-1, 0, 1);         // outside writes nothing
    EXPECT_EQ(Words(bmp), Words_(2, 0x80112233u));
}

TEST(CBmp, FreeReleasesAnimationsAndKeepsName) {
    CBmp bmp;
    bmp.Create(2, 2);
    bmp.name = "keep";
    bmp.originX = 4;
    auto* frames = new CCollector<CBmp*>;
    frames->Add(new CBmp);
    frames->GetAt(0)->Create(1, 1);
    bmp.animations.Add(frames);
    bmp.Free();
    EXPECT_EQ(bmp.pixels, nullptr);
    EXPECT_EQ(bmp.animations.Count(), 0);
    EXPECT_EQ(bmp.originX, 0);
    EXPECT_STREQ(bmp.name.c_str(), "keep");
}

TEST(CBmp, CopyIsDeepAndSkipsAnimations) {
    CBmp source, copy;
    Load(source, 2, 1, {0xFF0000FF, 0x80404040});
    source.name = "src";
    source.originY = -3;
    source.hasAlpha = 1;
    source.animations.Add(new CCollector<CBmp*>);
    copy.Copy(source);
    EXPECT_NE(copy.pixels, source.pixels);
    EXPECT_EQ(Words(copy), Words(source));
    EXPECT_STREQ(copy.name.c_str(), "src");
    EXPECT_EQ(copy.originY, -3);
    EXPECT_EQ(copy.hasAlpha, 1);
    EXPECT_EQ(copy.animations.Count(), 0);
    copy.Copy(copy); // copying itself keeps the picture
    EXPECT_EQ(Words(copy), Words(source));
    CBmp empty;
    copy.Copy(empty); // a source without pixels changes nothing
    EXPECT_EQ(copy.width, 2);
}

TEST(CBmp, CopyRectTakesSubRectangleOrNothing) {
    CBmp source, target;
    Load(source, 3, 2, {1, 2, 3, 4, 5, 6});
    source.name = "sheet";
    source.originX = 9;
    target.CopyRect(source, 1, 0, 3, 2);
    EXPECT_EQ(Words(target), (Words_{2, 3, 5, 6}));
    EXPECT_STREQ(target.name.c_str(), "sheet");
    EXPECT_EQ(target.originX, 0);
    const int refused[][4] = {
        {1, 0, 1, 2},  // left = right
        {0, 1, 3, 1},  // top = bottom
        {-1, 0, 2, 2}, // starts outside
        {1, 0, 4, 2},  // ends outside
    };
    for (const auto& r : refused) {
        target.CopyRect(source, r[0], r[1], r[2], r[3]);
        EXPECT_EQ(Words(target), (Words_{2, 3, 5, 6}));
    }
    target.CopyRect(target, 1, 1, 2, 2); // from itself
    EXPECT_EQ(Words(target), Words_{6});
}

TEST(CBmp, WrapViewsForeignMemoryThatFreeLeavesIntact) {
    std::vector<uint32_t> foreign(6, 7u);
    CBmp view;
    view.Wrap(foreign.data(), 8, 2, 2); // skip two pixels
    ASSERT_EQ(view.borrowed, 1);
    view.Fill(0xAB);
    view.ScaleAll(50);
    EXPECT_EQ(foreign, (Words_{7, 7, 0x55, 0x55, 0x55, 0x55}));
    view.Free();
    EXPECT_EQ(view.pixels, nullptr);
    EXPECT_EQ(view.borrowed, 0);
    EXPECT_EQ(foreign, (Words_{7, 7, 0x55, 0x55, 0x55, 0x55}));
    view.Wrap(foreign.data(), 0, 1, 1);
    view.Create(2, 2); // becomes owning; the sanitizer build catches a leak or a bad release
    EXPECT_EQ(view.borrowed, 0);
    EXPECT_EQ(foreign[0], 7u);
    view.Wrap(nullptr, 0, 2, 2);
    EXPECT_EQ(view.pixels, nullptr);
    view.Wrap(foreign.data(), 0, -2, 2);
    EXPECT_EQ(view.byteSize, 0);
}

TEST(CBmp, ScaleAlphaTouchesOnlyAlpha) {
    const struct {
        uint32_t m, add, alpha, expected;
    } cases[] = {
        {254, 0, 255, 254},      {254, 0, 1, 0}, {192, 0, 255, 192},
        {150, 0, 255, 150},      {0, 0, 200, 0}, // clears the alpha
        {255, 10, 250, 255},                     // 260 clamps to 255
        {128, 0, 128, 64},                       // 16384/255 truncates
        {0xFFFFFFFF, 0, 2, 255},                 // a huge multiplier saturates instead of wrapping
    };
    for (const auto& c : cases) {
        CBmp bmp;
        Load(bmp, 1, 1, {(c.alpha << 24) | 0x123456});
        bmp.ScaleAlpha(c.m, c.add);
        EXPECT_EQ(bmp.Pixel(0, 0), (c.expected << 24) | 0x123456) << c.m << "," << c.alpha;
    }
}

TEST(CBmp, ScaleAllScalesEveryByte) {
    const struct {
        int percent;
        uint32_t before, after;
    } cases[] = {
        {50, 0xFFC80100, 0x7F640000},  // factor 128: 255 -> 127, 200 -> 100, 1 -> 0
        {99, 0xFFC80100, 0xFCC50000},  // factor 253: 255 -> 252, 200 -> 197
        {10, 0xFF640000, 0x18090000},  // factor 25: 255 -> 24, 100 -> 9
        {0, 0xFFFFFFFF, 0},            // clears the band
        {100, 0xFFC80100, 0xFFC80100}, // unchanged
    };
    for (const auto& c : cases) {
        CBmp bmp;
        Load(bmp, 1, 1, {c.before});
        bmp.ScaleAll(c.percent);
        EXPECT_EQ(bmp.Pixel(0, 0), c.after) << c.percent;
    }
}

TEST(CBmp, SoftEllipseAtCornerDrawsQuarter) {
    CBmp bmp;
    bmp.Create(3, 3);
    bmp.SoftEllipse(0, 0, 2, 2, 0xFFFFFFFF);
    // t = 16*dx^2 + 16*dy^2; channel = 255*(64 - t)/64; column and row 2 lie outside.
    EXPECT_EQ(Words(bmp), (Words_{0xFFFFFFFF, 0xBFBFBFBF, 0, 0xBFBFBFBF, 0x7F7F7F7F, 0, 0, 0, 0}));
    bmp.SoftEllipse(-100, 1, 50, 50, 0xFFFFFFFF); // entirely left of the bitmap
    bmp.SoftEllipse(1, 1, 0, 5, 0xFFFFFFFF);      // zero radius
    EXPECT_EQ(bmp.Pixel(2, 2), 0u);
}

TEST(CBmp, SoftEllipseRimBlendsOneSixtyFourth) {
    CBmp bmp;
    bmp.Create(130, 1);
    bmp.Fill(0x40404040);
    bmp.SoftEllipse(0, 0, 128, 1, 0xFFFFFFFF);
    EXPECT_EQ(bmp.Pixel(127, 0), 0x42424242u); // t = 64*127^2/128^2 = 63: (64*63 + 255)/64
    EXPECT_EQ(bmp.Pixel(126, 0), 0x45454545u); // t = 62: (64*62 + 255*2)/64
    EXPECT_EQ(bmp.Pixel(128, 0), 0x40404040u); // outside the area
}

TEST(CBmp, ResizeResamplesBothAxes) {
    const struct {
        int w, h, newW, newH;
        Words_ before, after;
    } cases[] = {
        // one row repeated to three rows
        {2,
         1,
         2,
         3,
         {0x11223344, 0x55667788},
         {0x11223344, 0x55667788, 0x11223344, 0x55667788, 0x11223344, 0x55667788}},
        // wider: the horizontal pass shifts by 8, so equal 255 neighbours give 254
        {2, 1, 3, 1, {0x0A6400FF, 0x14C8FFFF}, {0x096300FE, 0x0E957EFE, 0x13C7FEFE}},
        // taller: the vertical pass divides by 255, so 255 stays 255
        {1, 2, 1, 3, {0x0A6400FF, 0x14C8FFFF}, {0x0A6400FF, 0x0E957FFF, 0x14C8FFFF}},
        // narrower by area average: 2/3 + 1/3 and 1/3 + 2/3, each term truncated
        {3, 1, 2, 1, {0x010A00FF, 0x01146400, 0x011FC8FF}, {0x000C21AA, 0x001AA6AA}},
        // shorter, the same in the other direction
        {1, 3, 1, 2, {0x010A00FF, 0x01146400, 0x011FC8FF}, {0x000C21AA, 0x001AA6AA}},
    };
    for (const auto& c : cases) {
        CBmp bmp;
        bmp.Create(c.w, c.h);
        for (std::size_t i = 0; i < c.before.size(); ++i)
            bmp.SetPixel(static_cast<int>(i) % c.w, static_cast<int>(i) / c.w, c.before[i]);
        bmp.Resize(c.newW, c.newH);
        EXPECT_EQ(bmp.width, c.newW);
        EXPECT_EQ(bmp.byteSize, c.newW * c.newH * 4);
        EXPECT_EQ(Words(bmp), c.after) << c.w << "x" << c.h << " -> " << c.newW << "x" << c.newH;
    }
}

TEST(CBmp, ResizeToSameOrInvalidSizeDoesNothing) {
    CBmp bmp;
    Load(bmp, 2, 2, {1, 2, 3, 4});
    const uint8_t* before = bmp.pixels;
    const int sizes[][2] = {{2, 2}, {0, 3}, {3, -1}};
    for (const auto& size : sizes) {
        bmp.Resize(size[0], size[1]);
        EXPECT_EQ(bmp.pixels, before);
        EXPECT_EQ(Words(bmp), (Words_{1, 2, 3, 4}));
    }
}

TEST(CBmp, CropKeepsRectangleInsideOnly) {
    CBmp bmp;
    Load(bmp, 3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_FALSE(bmp.Crop(0, 0, 4, 3)); // wider than the bitmap
    EXPECT_FALSE(bmp.Crop(2, 0, 1, 3)); // reversed
    EXPECT_EQ(bmp.width, 3);
    EXPECT_TRUE(bmp.Crop(1, 1, 3, 3));
    EXPECT_EQ(Words(bmp), (Words_{5, 6, 8, 9}));
    CBmp empty;
    EXPECT_FALSE(empty.Crop(0, 0, 1, 1));
}

TEST(CBmp, TrimCutsToNonTransparentBox) {
    CBmp bmp;
    Load(bmp, 4, 3, {0x00FFFFFF, 0, 0, 0, 0, 0x01000000, 0x02000000, 0, 0, 0, 0x03000000, 0});
    EXPECT_TRUE(bmp.Trim()); // colour without alpha counts as transparent
    EXPECT_EQ(Words(bmp), (Words_{0x01000000, 0x02000000, 0, 0x03000000}));
    EXPECT_FALSE(bmp.Trim()); // already tight
    CBmp clear;
    clear.Create(3, 2);
    EXPECT_FALSE(clear.Trim());
    EXPECT_EQ(clear.width, 3);
    EXPECT_EQ(clear.height, 2);
}

TEST(CBmp, CopyChannelMovesOneByteLane) {
    CBmp mask;
    Load(mask, 2, 1, {0x00000080, 0x000000FF});
    mask.CopyChannel(mask, 0, 3); // grey mask blue into its alpha
    EXPECT_EQ(Words(mask), (Words_{0x80000080, 0xFF0000FF}));
    CBmp target;
    Load(target, 3, 2, {0x11111111, 0x22222222, 0x33333333, 0x44444444, 0x55555555, 0x66666666});
    target.CopyChannel(mask, 3, 3); // common area is the first two pixels of row 0
    EXPECT_EQ(Words(target),
              (Words_{0x80111111, 0xFF222222, 0x33333333, 0x44444444, 0x55555555, 0x66666666}));
    target.CopyChannel(mask, 4, 0); // no such channel
    EXPECT_EQ(target.Pixel(0, 0), 0x80111111u);
}
