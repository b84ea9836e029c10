#include "CDibTarget.h"

#include "graphics/CBmp.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kBackground = 0x00101010;

// Every pixel of the target outside the rectangle still shows the background.
void ExpectOnlyInside(const CDibTarget& target, int left, int top, int width, int height) {
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x) {
            const bool inside = x >= left && y >= top && x < left + width && y < top + height;
            ASSERT_TRUE(inside || target.At(x, y) == kBackground) << x << ", " << y;
        }
}

void Solid(CBmp& bmp, int width, int height, uint32_t word) {
    bmp.Create(width, height);
    bmp.Fill(word);
}

} // namespace

TEST(DrawTo, TransparentLeavesOpaqueCopiesHalfBlends) {
    struct Case {
        uint32_t source;
        uint32_t result; // over kBackground
    };
    const Case cases[] = {
        {0x00FFFFFF, kBackground}, // alpha 0: untouched
        {0xFF4080C0, 0xFF4080C0},  // alpha 255: copied, alpha byte included
        // alpha 128: alpha (0*127 + 128*128) >> 8 = 64, colour (16*127 + c*128) >> 8
        {0x80FF8000, 0x40874707},
    };
    for (const Case& c : cases) {
        CDibTarget target(12, 10);
        ASSERT_TRUE(target.Ready());
        target.Fill(kBackground);
        CBmp bmp;
        Solid(bmp, 4, 3, c.source);
        bmp.originX = 2;
        bmp.originY = -1;
        bmp.DrawTo(target.Dc(), 3, 5); // lands at (5, 4)
        for (int y = 4; y < 7; ++y)
            for (int x = 5; x < 9; ++x)
                ASSERT_EQ(target.At(x, y), c.result)
                    << std::hex << c.source << " " << x << ", " << y;
        ExpectOnlyInside(target, 5, 4, 4, 3);
    }
}

TEST(DrawTo, EmptyBitmapAndPartlyOutsideTargets) {
    CDibTarget target(6, 6);
    ASSERT_TRUE(target.Ready());
    target.Fill(kBackground);
    CBmp empty;
    empty.DrawTo(target.Dc(), 0, 0);
    ExpectOnlyInside(target, 0, 0, 0, 0);
    CBmp bmp;
    Solid(bmp, 4, 4, 0xFF00FF00);
    bmp.DrawTo(target.Dc(), -2, 4); // only the top right quarter shows
    EXPECT_EQ(target.At(0, 4), 0xFF00FF00u);
    EXPECT_EQ(target.At(1, 5), 0xFF00FF00u);
    ExpectOnlyInside(target, 0, 4, 2, 2);
}

// A 10 x 10 picture, grey 100 within 4 pixels of its edges and grey 200 in the middle 2 x 2,
// drawn stretched to 20 x 12 with 4-pixel borders over grey 16.
TEST(DrawStretched, KeepsTheBordersAndStretchesTheMiddle) {
    CBmp bmp;
    Solid(bmp, 10, 10, 0xFF646464);
    for (int y = 4; y < 6; ++y)
        for (int x = 4; x < 6; ++x)
            bmp.SetPixel(x, y, 0xFFC8C8C8);
    CDibTarget target(30, 20);
    ASSERT_TRUE(target.Ready());
    target.Fill(kBackground);
    bmp.DrawStretched(target.Dc(), 2, 3, 20, 12, 4, 4);
    const auto grey = [](uint32_t v) { return v << 16 | v << 8 | v; };
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool middleRow = y >= 4 && y < 8, middleColumn = x >= 4 && x < 16;
            // Border rows are copied (100*255 >> 8 = 99); the middle rows went through the
            // vertical weights (99, alpha 254), leaving 1/256 of the 16 below: 98 at the
            // side borders, (16 + 199*255*254/256) >> 8 = 196 inside.
            const uint32_t expected = !middleRow ? 99 : middleColumn ? 196 : 98;
            ASSERT_EQ(target.At(2 + x, 3 + y), grey(expected)) << x << ", " << y;
        }
    ExpectOnlyInside(target, 2, 3, 20, 12);
}

TEST(DrawStretched, RectanglesBelowTwiceTheBordersDrawNothing) {
    CBmp bmp;
    Solid(bmp, 10, 10, 0xFFFFFFFF);
    CDibTarget target(20, 20);
    ASSERT_TRUE(target.Ready());
    target.Fill(kBackground);
    bmp.DrawStretched(target.Dc(), 0, 0, 9, 12, 4, 4);
    bmp.DrawStretched(target.Dc(), 0, 0, 12, 9, 4, 4);
    ExpectOnlyInside(target, 0, 0, 0, 0);
}

TEST(DrawStack, DrawsTheLayersInOrderAndNothingPastTheLastStack) {
    CBmp bmp;
    Solid(bmp, 2, 2, 0xFFFFFFFF);
    bmp.AddStack("nrm");
    CBmp* bottom = bmp.AddLayerCopy(0);
    bottom->Fill(0xFF0000FF);
    CBmp* top = bmp.AddLayerCopy(0);
    top->Fill(0xFFFF0000);
    top->originX = 1;
    CDibTarget target(4, 2);
    ASSERT_TRUE(target.Ready());
    target.Fill(kBackground);
    bmp.DrawStack(target.Dc(), 0, 0, 1); // the number of stacks: nothing
    bmp.DrawStack(target.Dc(), 0, 0, -1);
    ExpectOnlyInside(target, 0, 0, 0, 0);
    bmp.DrawStack(target.Dc(), 0, 0, 0);
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(target.At(0, y), 0xFF0000FFu);
        EXPECT_EQ(target.At(1, y), 0xFFFF0000u); // the second layer lies over the first
        EXPECT_EQ(target.At(2, y), 0xFFFF0000u);
        EXPECT_EQ(target.At(3, y), kBackground);
    }
}

TEST(DrawStack, StretchedDrawsEveryLayerOverTheRectangle) {
    CBmp bmp;
    Solid(bmp, 4, 4, 0xFFFFFFFF);
    bmp.AddStack("nrm");
    bmp.AddLayerCopy(0)->Fill(0xFF0000FF);
    // Transparent, yet the stretched blend has no shortcut for alpha 0: it scales what lies
    // below by 255/256 once more.
    bmp.AddLayerCopy(0)->Fill(0x00FF0000);
    CDibTarget target(10, 6);
    ASSERT_TRUE(target.Ready());
    target.Fill(kBackground);
    bmp.DrawStackStretched(target.Dc(), 1, 1, 8, 4, 1, 1, 1);
    ExpectOnlyInside(target, 0, 0, 0, 0);
    bmp.DrawStackStretched(target.Dc(), 1, 1, 8, 4, 1, 1, 0);
    // A border corner: (255*255) >> 8 = 254, then 253; the target's alpha is not written.
    EXPECT_EQ(target.At(1, 1), 0x000000FDu);
    // A middle pixel: the vertical pass gave 254 with alpha 254, so (16 + 254*255*254/256)
    // >> 8 = 251, then 250.
    EXPECT_EQ(target.At(4, 2), 0x000000FAu);
    ExpectOnlyInside(target, 1, 1, 8, 4);
}
