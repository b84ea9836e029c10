#include "effects/engine/DirtyBox.h"
#include "graphics/CBmp.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

void ExpectBox(const DesktopRect& box, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    EXPECT_EQ(box.left, left);
    EXPECT_EQ(box.top, top);
    EXPECT_EQ(box.right, right);
    EXPECT_EQ(box.bottom, bottom);
}

} // namespace

// An all-zero band has an empty box, whatever its width; so has no band at all.
TEST(DirtyBox, EmptyBandsHaveNoBox) {
    for (const int32_t width : {1, 7, 8, 9, 1280, 1283}) {
        CBmp band;
        band.Create(width, 200);
        EXPECT_TRUE(BoxEmpty(NonZeroBox(band))) << width;
    }
    EXPECT_TRUE(BoxEmpty(NonZeroBox(CBmp())));
}

// One non-zero pixel anywhere (in whole 8-pixel blocks and in a row's odd tail, in any
// byte of the word) is the whole box.
TEST(DirtyBox, OnePixelIsTheBox) {
    const int32_t width = 1283;
    const std::pair<int32_t, int32_t> places[] = {{0, 0},    {1282, 199}, {7, 5},     {8, 5},
                                                  {1279, 0}, {1280, 3},   {640, 100}, {0, 199}};
    for (const uint32_t word : {0x00000001u, 0x01000000u, 0xFFFFFFFFu}) {
        for (const auto& [x, y] : places) {
            CBmp band;
            band.Create(width, 200);
            band.SetPixel(x, y, word);
            ExpectBox(NonZeroBox(band), x, y, x + 1, y + 1);
        }
    }
}

// Pixels in several rows: the box spans the topmost to the bottommost and the leftmost to
// the rightmost, whichever rows they are in (also middle rows that widen it).
TEST(DirtyBox, SpansEveryNonZeroPixel) {
    CBmp band;
    band.Create(1280, 200);
    band.SetPixel(500, 40, 0x80402010u);
    band.SetPixel(510, 150, 0x80402010u);
    ExpectBox(NonZeroBox(band), 500, 40, 511, 151);
    band.SetPixel(3, 90, 0x01000000u);     // a middle row widens it to the left
    band.SetPixel(1277, 120, 0x00000100u); // and to the right
    ExpectBox(NonZeroBox(band), 3, 40, 1278, 151);
    band.Fill(0x20202020u);
    ExpectBox(NonZeroBox(band), 0, 0, 1280, 200);
}

// Uniting with an empty box keeps the other; two boxes give their bounding box; clipping
// keeps what lies inside the bitmap and empties what lies outside.
TEST(DirtyBox, UniteAndClip) {
    ExpectBox(UniteBoxes({}, {2, 3, 4, 5}), 2, 3, 4, 5);
    ExpectBox(UniteBoxes({2, 3, 4, 5}, {7, 7, 7, 9}), 2, 3, 4, 5); // no area: nothing
    ExpectBox(UniteBoxes({2, 3, 4, 5}, {0, 4, 3, 10}), 0, 3, 4, 10);
    ExpectBox(ClipBox({-5, -1, 2000, 300}, 1280, 200), 0, 0, 1280, 200);
    EXPECT_TRUE(BoxEmpty(ClipBox({1300, 0, 1400, 10}, 1280, 200)));
}
