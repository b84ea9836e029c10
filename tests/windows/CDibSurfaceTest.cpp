#include "CDibTarget.h"

#include "graphics/CBmp.h"
#include "graphics/CDibSurface_win.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(CDibSurface, PutAndGrabRoundTrip) {
    CDibTarget target(16, 8);
    ASSERT_TRUE(target.Ready());
    target.Fill(0);
    CDibSurface out;
    ASSERT_TRUE(out.Create(5, 3));
    EXPECT_EQ(out.byteSize, 60);
    for (int i = 0; i < 15; ++i) {
        const auto n = static_cast<uint32_t>(i);
        const uint32_t word = 0x01000000u * (n * 17) + 0x00030507u * n;
        std::memcpy(out.pixels + i * 4, &word, 4);
    }
    out.Put(target.Dc(), 7, 2);
    EXPECT_EQ(target.At(7, 2), 0u);
    EXPECT_EQ(target.At(11, 4), 0xEE2A4662u); // pixel 14, alpha included: nothing is blended
    EXPECT_EQ(target.At(6, 2), 0u);

    CDibSurface back;
    ASSERT_TRUE(back.Create(5, 3));
    back.Grab(target.Dc(), 7, 2);
    EXPECT_EQ(std::memcmp(back.pixels, out.pixels, 60), 0);
}

// The navigation pane's selected entry: grab the background, wrap a bitmap around the
// surface, fill a gradient into it and put it back.
TEST(CDibSurface, AttachedBitmapIsFilledAndPutBack) {
    CDibTarget target(9, 3);
    ASSERT_TRUE(target.Ready());
    target.Fill(0x00101010);
    CDibSurface surface;
    ASSERT_TRUE(surface.Create(9, 3));
    surface.Grab(target.Dc(), 0, 0);
    CBmp row;
    row.Wrap(surface.pixels, 0, 9, 3);
    const GradientPoint points[] = {{5, 0}, {8, 3}};
    const uint32_t colours[] = {0xAAA0A0A0, 0xFFD77800};
    row.GradientFill(points, colours, 2, true, true);
    surface.Put(target.Dc(), 0, 0);
    EXPECT_EQ(target.At(0, 0), 0xAAA0A0A0u);
    EXPECT_EQ(target.At(8, 2), 0xF01A7ECDu);
}

TEST(CDibSurface, AttachBorrowsAndFreeKeepsTheBitmap) {
    CBmp bmp;
    bmp.Create(3, 2);
    bmp.Fill(0xFF123456);
    CDibSurface surface;
    ASSERT_TRUE(surface.Create(2, 2));
    surface.Attach(bmp);
    EXPECT_EQ(surface.pixels, bmp.pixels);
    EXPECT_EQ(surface.width, 3);
    EXPECT_EQ(surface.byteSize, 24);
    EXPECT_EQ(surface.borrowed, 1);
    surface.Free();
    EXPECT_EQ(surface.pixels, nullptr);
    EXPECT_EQ(surface.width, 0);
    EXPECT_EQ(bmp.Pixel(2, 1), 0xFF123456u);

    CBmp empty;
    surface.Attach(empty);
    EXPECT_EQ(surface.pixels, nullptr);
    EXPECT_FALSE(surface.Create(0, 4));
    EXPECT_EQ(surface.byteSize, 0);
}
