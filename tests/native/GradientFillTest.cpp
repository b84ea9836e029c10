#include "graphics/CBmp.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Words = std::vector<uint32_t>;

constexpr uint32_t kUntouched = 0x01020304;

Words Row(const CBmp& bmp, int y) {
    Words words;
    for (int x = 0; x < bmp.width; ++x)
        words.push_back(bmp.Pixel(x, y));
    return words;
}

Words FillRow(int width, const std::vector<GradientPoint>& points, const Words& colours,
              bool before, bool after) {
    CBmp bmp;
    bmp.Create(width, 1);
    bmp.Fill(kUntouched);
    bmp.GradientFill(points.data(), colours.data(), static_cast<int>(points.size()), before, after);
    return Row(bmp, 0);
}

// 0xAABBGGRR colours; the pixel words carry red and blue swapped.
constexpr uint32_t kFrom = 0x40102030; // pixel 0x40302010: bytes 16, 32, 48, 64
constexpr uint32_t kTo = 0xC090A0B0;   // pixel 0xC0B0A090: bytes 144, 160, 176, 192
constexpr uint32_t kFromPixel = 0x40302010;
constexpr uint32_t kToPixel = 0xC0B0A090;
constexpr uint32_t kThird = 0x6A5A4A3A;     // (K2 + 2 K1)/3 per byte: 58, 74, 90, 106
constexpr uint32_t kTwoThirds = 0x95857565; // (2 K2 + K1)/3: 101, 117, 133, 149

} // namespace

TEST(GradientFill, TwoPointsWithAndWithoutTheFillFlags) {
    // P1 = (1, 0), P2 = (4, 0): the extra points are (-2, 0) and (7, 0), both directions (6, 0).
    const std::vector<GradientPoint> points = {{1, 0}, {4, 0}};
    const Words colours = {kFrom, kTo};
    const uint32_t u = kUntouched;
    struct Case {
        bool before, after;
        Words row;
    };
    const Case cases[] = {
        {false, false, {u, kFromPixel, kThird, kTwoThirds, kToPixel, u, u}},
        {true, false, {kFromPixel, kFromPixel, kThird, kTwoThirds, kToPixel, u, u}},
        {false, true, {u, kFromPixel, kThird, kTwoThirds, kToPixel, kToPixel, kToPixel}},
        {true, true, {kFromPixel, kFromPixel, kThird, kTwoThirds, kToPixel, kToPixel, kToPixel}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FillRow(7, points, colours, c.before, c.after), c.row)
            << c.before << " " << c.after;
}

TEST(GradientFill, ThreePointsFollowTheDirectionsAtEachPoint) {
    // P = (0, 0), (2, 0), (6, 0); extra points (-2, 0) and (10, 0); directions (4, 0), (6, 0),
    // (8, 0). Between P2 and P3 the weights are S = 6(x - 2) and -R = 8(6 - x), so the
    // middle is not linear in x.
    const std::vector<GradientPoint> points = {{0, 0}, {2, 0}, {6, 0}};
    const Words colours = {0xFF0000FF, 0xFF00FF00, 0x80FF0000}; // red, green, half blue
    const Words plain = {
        0xFFFF0000, // K1
        0xFF996600, // (4 K2 + 6 K1)/10: green 102, red 153
        0xFF00FF00, // K2
        0xE500CC33, // (6 K3 + 24 K2)/30: blue 51, green 204, alpha 229
        0xC800916D, // (12 K3 + 16 K2)/28: blue 109, green 145, alpha 200
        0xA7004EB0, // (18 K3 + 8 K2)/26: blue 176, green 78, alpha 167
        0x800000FF, // K3
        kUntouched,
    };
    EXPECT_EQ(FillRow(8, points, colours, false, false), plain);
    Words after = plain;
    after[7] = 0x800000FF;
    EXPECT_EQ(FillRow(8, points, colours, true, true), after);
}

TEST(GradientFill, NavigationPaneDiagonal) {
    // A 9 x 3 entry: points (2w/3 - 1, 0) = (5, 0) and (2w/3 + 2, h) = (8, 3); both
    // directions are (6, 6), so a pixel's colour depends on x + y only: K1 up to x + y = 5,
    // then (K2 (x + y - 5) + K1 (11 - x - y))/6.
    const GradientPoint points[] = {{5, 0}, {8, 3}};
    const uint32_t colours[] = {0xAAA0A0A0, 0xFFD77800};
    CBmp bmp;
    bmp.Create(9, 3);
    bmp.GradientFill(points, colours, 2, true, true);
    const uint32_t bySum[] = {0xAAA0A0A0, 0xAAA0A0A0, 0xAAA0A0A0, 0xAAA0A0A0,
                              0xAAA0A0A0, 0xAAA0A0A0, 0xB88599A9, 0,
                              0,          0,          0xF01A7ECD};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 9; ++x) {
            const int sum = x + y;
            const uint32_t expected = sum < 9 ? bmp.Pixel(sum, 0) : bmp.Pixel(8, sum - 8);
            EXPECT_EQ(bmp.Pixel(x, y), expected) << x << ", " << y;
            if (bySum[sum] != 0) {
                EXPECT_EQ(bmp.Pixel(x, y), bySum[sum]) << x << ", " << y;
            }
        }
}

TEST(GradientFill, FewerThanTwoPointsDoNothing) {
    const std::vector<GradientPoint> one = {{0, 0}};
    EXPECT_EQ(FillRow(3, one, {kFrom}, true, true), Words(3, kUntouched));
    CBmp bmp;
    bmp.Create(2, 1);
    bmp.GradientFill(nullptr, nullptr, 2, true, true);
    EXPECT_EQ(bmp.Pixel(0, 0), 0u);
}
