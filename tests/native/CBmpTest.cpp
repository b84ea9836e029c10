#include "graphics/CBmp.h"
#include "support/PixelWords.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

TEST(CBmp, CreateGivesZeroedPixelsOrNothing) {
    CBmp bmp;
    EXPECT_FALSE(bmp.name.IsNull());
    bmp.name = "sprite";
    bmp.Create(2, 1);
    EXPECT_STREQ(bmp.name.c_str(), "");
    EXPECT_EQ(Read(bmp), Words(2, 0u));
    bmp.Fill(0x80112233);
    const uint8_t memoryOrder[] = {0x33, 0x22, 0x11, 0x80, 0x33, 0x22, 0x11, 0x80};
    EXPECT_EQ(std::memcmp(bmp.pixels, memoryOrder, sizeof memoryOrder), 0);
    EXPECT_EQ(bmp.Pixel(2, 0), 0u);                         // outside reads 0 ...
    bmp.SetPixel(-1, 0, 1);                                 // ... and writes nothing
    const int bad[][2] = {{-4, 5}, {5, 0}, {50000, 50000}}; // negative, empty, over 2^31 bytes
    for (const auto& size : bad) {
        bmp.Create(size[0], size[1]);
        EXPECT_TRUE(bmp.pixels == nullptr && bmp.byteSize == 0 && bmp.width == 0);
    }
}

TEST(CBmp, CopyIsDeepWithoutAnimations) {
    CBmp source, copy;
    Load(source, 2, 1, {0xFF0000FF, 0x80404040});
    source.name = "src";
    source.originY = -3;
    source.animations.Add(new CCollector<CBmp*>);
    copy.Copy(source);
    EXPECT_NE(copy.pixels, source.pixels);
    EXPECT_EQ(Read(copy), Read(source));
    EXPECT_STREQ(copy.name.c_str(), "src");
    EXPECT_EQ(copy.originY, -3);
    EXPECT_EQ(copy.animations.Count(), 0);
    copy.Copy(copy); // from itself
    EXPECT_EQ(Read(copy), Read(source));
    source.Free();
    EXPECT_EQ(source.animations.Count(), 0);
    EXPECT_STREQ(source.name.c_str(), "src"); // Free keeps the name
    copy.Copy(source);                        // a source without pixels changes nothing
    EXPECT_EQ(copy.width, 2);
}

TEST(CBmp, CopyRectTakesRectangleInsideOnly) {
    CBmp source, target;
    Load(source, 3, 2, {1, 2, 3, 4, 5, 6});
    source.originX = 9;
    target.CopyRect(source, 1, 0, 3, 2);
    EXPECT_EQ(Read(target), (Words{2, 3, 5, 6}));
    EXPECT_EQ(target.originX, 0);
    const int refused[][4] = {{1, 0, 1, 2}, {0, 1, 3, 1}, {-1, 0, 2, 2}, {1, 0, 4, 2}};
    for (const auto& r : refused) // empty width, empty height, starts and ends outside
        target.CopyRect(source, r[0], r[1], r[2], r[3]);
    EXPECT_EQ(Read(target), (Words{2, 3, 5, 6}));
    target.CopyRect(target, 1, 1, 2, 2); // from itself
    EXPECT_EQ(Read(target), Words{6});
}

// The sanitizer build turns a release of the foreign block or a leak into a failure.
TEST(CBmp, WrapLeavesForeignMemoryIntact) {
    Words foreign(6, 7u);
    CBmp view;
    view.Wrap(foreign.data(), 8, 2, 2); // starts two pixels in
    view.Fill(0xAB);
    view.ScaleAll(50);
    view.Free();
    EXPECT_TRUE(view.pixels == nullptr && view.borrowed == 0);
    EXPECT_EQ(foreign, (Words{7, 7, 0x55, 0x55, 0x55, 0x55}));
    view.Wrap(foreign.data(), 0, 2, 3);
    EXPECT_TRUE(view.Crop(0, 1, 2, 3)); // the cut-out is owned, the view is gone
    view.Resize(3, 3);
    view.Create(2, 2);
    EXPECT_EQ(view.borrowed, 0);
    EXPECT_EQ(foreign[0], 7u);
    view.Wrap(nullptr, 0, 2, 2);
    EXPECT_EQ(view.pixels, nullptr);
}

TEST(CBmp, ScaleAlphaTouchesOnlyAlpha) {
    const struct {
        uint32_t m, add, alpha, expected;
    } cases[] = {
        {254, 0, 255, 254},      {254, 0, 1, 0},      {192, 0, 255, 192},
        {0, 0, 200, 0},          {255, 10, 250, 255}, // 260 is clamped
        {0xFFFFFFFF, 0, 2, 255}, // a huge multiplier saturates instead of wrapping
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
        {99, 0xFFC80100, 0xFCC50000},  // factor 253: 255 -> 252
        {0, 0xFFFFFFFF, 0},            // clears
        {100, 0xFFC80100, 0xFFC80100}, // unchanged
    };
    for (const auto& c : cases) {
        CBmp bmp;
        Load(bmp, 1, 1, {c.before});
        bmp.ScaleAll(c.percent);
        EXPECT_EQ(bmp.Pixel(0, 0), c.after) << c.percent;
    }
}

TEST(CBmp, SoftEllipseBlendsByDistance) {
    CBmp corner, rim;
    corner.Create(3, 3);
    corner.SoftEllipse(0, 0, 2, 2, 0xFFFFFFFF); // a quarter: t = 16*dx^2 + 16*dy^2
    EXPECT_EQ(Read(corner), (Words{~0u, 0xBFBFBFBF, 0, 0xBFBFBFBF, 0x7F7F7F7F, 0, 0, 0, 0}));
    corner.SoftEllipse(-100, 1, 50, 50, ~0u);       // wholly outside
    corner.SoftEllipse(1, 1, 0, 5, ~0u);            // zero radius
    corner.SoftEllipse(1, 1, 1 << 20, 1 << 20, 0u); // too large for 64 bits: not drawn
    EXPECT_EQ(corner.Pixel(0, 0), ~0u);
    rim.Create(129, 1);
    rim.Fill(0x40404040);
    rim.SoftEllipse(0, 0, 128, 1, ~0u);
    EXPECT_EQ(rim.Pixel(127, 0), 0x42424242u); // t = 63: (64*63 + 255*1)/64
    EXPECT_EQ(rim.Pixel(128, 0), 0x40404040u); // outside the area
}

TEST(CBmp, ResizeResamplesBothAxes) {
    const struct {
        int w, h, newW, newH;
        Words before, after;
    } cases[] = {
        // one row repeated to three rows
        {2, 1, 2, 3, {0x11223344, 0x55}, {0x11223344, 0x55, 0x11223344, 0x55, 0x11223344, 0x55}},
        // wider: the horizontal pass shifts by 8, so equal 255 neighbours give 254
        {2, 1, 3, 1, {0x0A6400FF, 0x14C8FFFF}, {0x096300FE, 0x0E957EFE, 0x13C7FEFE}},
        // taller: the vertical pass divides by 255, so 255 stays 255
        {1, 2, 1, 3, {0x0A6400FF, 0x14C8FFFF}, {0x0A6400FF, 0x0E957FFF, 0x14C8FFFF}},
        // narrower by area average: 2/3 + 1/3 and 1/3 + 2/3, each term truncated
        {3, 1, 2, 1, {0x010A00FF, 0x01146400, 0x011FC8FF}, {0x000C21AA, 0x001AA6AA}},
        // shorter, the same down the column
        {1, 3, 1, 2, {0x010A00FF, 0x01146400, 0x011FC8FF}, {0x000C21AA, 0x001AA6AA}},
        // same size, and sizes that are not positive: nothing happens
        {2, 1, 2, 1, {1, 2}, {1, 2}},
        {2, 1, 0, 3, {1, 2}, {1, 2}},
    };
    for (const auto& c : cases) {
        CBmp bmp;
        Load(bmp, c.w, c.h, c.before);
        bmp.Resize(c.newW, c.newH);
        EXPECT_EQ(bmp.byteSize, static_cast<int>(c.after.size()) * 4);
        EXPECT_EQ(Read(bmp), c.after) << c.w << "x" << c.h << " -> " << c.newW << "x" << c.newH;
    }
}

TEST(CBmp, CropAndTrim) {
    CBmp bmp;
    Load(bmp, 3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_FALSE(bmp.Crop(0, 0, 4, 3)); // wider than the bitmap
    EXPECT_FALSE(bmp.Crop(2, 0, 1, 3)); // reversed
    EXPECT_TRUE(bmp.Crop(1, 1, 3, 3));
    EXPECT_EQ(Read(bmp), (Words{5, 6, 8, 9}));
    Load(bmp, 4, 3, {0xFFFFFF, 0, 0, 0, 0, 0x1000000, 0x2000000, 0, 0, 0, 0x3000000, 0});
    EXPECT_TRUE(bmp.Trim()); // colour without alpha counts as transparent
    EXPECT_EQ(Read(bmp), (Words{0x1000000, 0x2000000, 0, 0x3000000}));
    EXPECT_FALSE(bmp.Trim()); // already tight
    bmp.Create(3, 2);
    EXPECT_FALSE(bmp.Trim()); // fully transparent
    EXPECT_EQ(bmp.width * bmp.height, 6);
    CBmp empty;
    EXPECT_FALSE(empty.Crop(0, 0, 1, 1));
}

TEST(CBmp, CopyChannelMovesOneByteLane) {
    CBmp mask, target;
    Load(mask, 2, 1, {0x80, 0xFF});
    mask.CopyChannel(mask, 0, 3); // a grey mask's blue becomes its alpha
    EXPECT_EQ(Read(mask), (Words{0x80000080, 0xFF0000FF}));
    Load(target, 3, 2, {0x11111111, 0x22222222, 0x33333333, 0x44444444, 0x55, 0x66});
    target.CopyChannel(mask, 3, 3); // the common area is the first two pixels of row 0
    target.CopyChannel(mask, 4, 0); // no such channel
    EXPECT_EQ(Read(target), (Words{0x80111111, 0xFF222222, 0x33333333, 0x44444444, 0x55, 0x66}));
}
