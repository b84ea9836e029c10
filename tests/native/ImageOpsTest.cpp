#include "graphics/CBmp.h"
#include "support/PixelWords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Every byte value in every colour lane, with an alpha that varies independently.
void LoadAllBytes(CBmp& bmp) {
    bmp.Create(256, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 256; ++x) {
            const auto v = static_cast<uint32_t>(x);
            const uint32_t b = y == 0 ? v : 255 - v, g = y == 1 ? v : 17, r = y == 2 ? v : 200;
            bmp.SetPixel(x, y, (((v * 7) & 0xFF) << 24) | (r << 16) | (g << 8) | b);
        }
}

uint32_t Lane(uint32_t word, int lane) {
    return (word >> (8 * lane)) & 0xFF;
}

} // namespace

TEST(ImageOps, BrightnessContrastNeutralAndOffsetOnly) {
    CBmp bmp;
    LoadAllBytes(bmp);
    const Words before = Read(bmp);
    bmp.BrightnessContrast(0, 0);
    EXPECT_EQ(Read(bmp), before);

    bmp.BrightnessContrast(0xFFE0, 0); // the low 16 bits: -32
    const Words darker = Read(bmp);
    for (std::size_t i = 0; i < before.size(); ++i) {
        for (int lane = 0; lane < 3; ++lane)
            ASSERT_EQ(Lane(darker[i], lane),
                      Lane(before[i], lane) > 32 ? Lane(before[i], lane) - 32 : 0)
                << i;
        ASSERT_EQ(darker[i] >> 24, before[i] >> 24) << "alpha is not touched";
    }
    CBmp direct;
    LoadAllBytes(direct);
    direct.BrightnessContrast(-32, 0);
    EXPECT_EQ(Read(direct), darker);
}

TEST(ImageOps, BrightnessContrastTruncatesTowardZeroAndClamps) {
    struct Case {
        int offset, contrast;
        uint32_t in, out; // one channel value
    };
    const Case cases[] = {
        {0, -128, 255, 126},  // -128/127 truncates to -1
        {0, -128, 0, 128},    // 127/127 = 1
        {0, -128, 127, 127},  // the flat grey of about 127
        {0, 127, 128, 129},   // 254/127 = 2
        {0, 127, 126, 125},   // -254/127 = -2
        {0, 127, 200, 255},   // 273 clamped
        {0, 127, 100, 73},    // -6858/127 = -54
        {10, 27, 50, 44},     // -11858/127 = -93.4 truncates to -93
        {10, 27, 0, 0},       // -17 clamped
        {10, 27, 180, 201},   // 8162/127 = 64.3
        {256, -128, 0, 255},  // 384 clamped: 256 is a valid 16-bit offset
        {-256, -128, 255, 0}, // -130 clamped
        {0x10020, 0, 40, 72}, // only the low 16 bits count: +32
    };
    for (const Case& c : cases) {
        CBmp bmp;
        Load(bmp, 1, 1, {0x5A000000 | c.in << 16 | c.in << 8 | c.in});
        bmp.BrightnessContrast(c.offset, c.contrast);
        EXPECT_EQ(bmp.Pixel(0, 0), 0x5A000000 | c.out << 16 | c.out << 8 | c.out)
            << c.offset << ", " << c.contrast << " on " << c.in;
    }
}

TEST(ImageOps, SaturationKeepsAtOneAndGreysAtZero) {
    CBmp bmp;
    bmp.Create(52 * 52, 52);
    for (int i = 0; i < 52 * 52 * 52; ++i) { // every fifth value of each channel
        const auto b = uint32_t(i % 52 * 5), g = uint32_t(i / 52 % 52 * 5),
                   r = uint32_t(i / 2704 * 5);
        bmp.SetPixel(i % bmp.width, i / bmp.width, uint32_t(i & 0xFF) << 24 | r << 16 | g << 8 | b);
    }
    const Words before = Read(bmp);
    bmp.Saturation(128);
    ASSERT_EQ(Read(bmp), before);
    bmp.Saturation(0);
    const Words grey = Read(bmp);
    for (std::size_t i = 0; i < before.size(); ++i) {
        const uint32_t mean = (Lane(before[i], 0) + Lane(before[i], 1) + Lane(before[i], 2)) / 3;
        ASSERT_EQ(grey[i], (before[i] & 0xFF000000) | mean << 16 | mean << 8 | mean) << i;
    }
}

TEST(ImageOps, SaturationTruncatesEachDivisionAndClamps) {
    // Blue 10, green 100, red 200: twice the grey is 620/3 = 206.
    struct Case {
        int factor;
        uint32_t out;
    };
    const Case cases[] = {
        {256, 0x80FF6100}, // blue (206 - 372)/2 < 0, green (206 - 12)/2 = 97, red 297 > 255
        {64, 0x80976538},  // 56, 101, 151
        {1, 0x80676766},   // -186/128 truncates to -1 (not -2): (206 - 1)/2 = 102
    };
    for (const Case& c : cases) {
        CBmp bmp;
        Load(bmp, 1, 1, {0x80C8640A});
        bmp.Saturation(c.factor);
        EXPECT_EQ(bmp.Pixel(0, 0), c.out) << c.factor;
    }
}

TEST(ImageOps, ShiftMovesLinearlyThroughMemory) {
    // Opaque pixels numbered 1..6; 0 is transparent.
    const auto opaque = [](const Words& numbers) {
        Words words;
        for (const uint32_t n : numbers)
            words.push_back(n != 0 ? 0xFF000000 | n : 0);
        return words;
    };
    struct Case {
        int dx, dy;
        Words out;
    };
    const Case cases[] = {
        {1, 0, {0, 1, 2, 3, 4, 5}},   // the last pixel of row 0 starts row 1
        {-1, 0, {2, 3, 4, 5, 6, 0}},  // the first pixel of row 1 ends row 0
        {0, 1, {0, 0, 0, 1, 2, 3}},   // one row down
        {1, 1, {0, 0, 0, 0, 1, 2}},   // four pixels on
        {-3, -3, {0, 0, 0, 0, 0, 0}}, // everything leaves the block
        {10, 0, {0, 0, 0, 0, 0, 0}},  {0, 0, {1, 2, 3, 4, 5, 6}},
    };
    for (const Case& c : cases) {
        CBmp bmp;
        Load(bmp, 3, 2, opaque({1, 2, 3, 4, 5, 6}));
        bmp.Shift(c.dx, c.dy);
        EXPECT_EQ(Read(bmp), opaque(c.out)) << c.dx << ", " << c.dy;
        EXPECT_EQ(bmp.width, 3);
        EXPECT_EQ(bmp.byteSize, 24);
    }
}

TEST(ImageOps, ShiftOfAWrappedBitmapLeavesTheForeignMemory) {
    uint32_t memory[4] = {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004};
    CBmp bmp;
    bmp.Wrap(memory, 0, 2, 2);
    bmp.Shift(1, 0);
    EXPECT_EQ(Read(bmp), (Words{0, 0xFF000001, 0xFF000002, 0xFF000003}));
    EXPECT_EQ(bmp.borrowed, 0);
    EXPECT_EQ(memory[3], 0xFF000004u);
}

TEST(ImageOps, RollRotatesColoursAndKeepsAlpha) {
    // Colours 1..6, alphas 0x10..0x60 in place.
    const auto colourWords = [](const std::vector<int>& order) {
        Words words;
        for (std::size_t i = 0; i < order.size(); ++i)
            words.push_back(uint32_t(0x10 * (i + 1)) << 24 | uint32_t(order[i]) * 0x010101);
        return words;
    };
    struct Case {
        int dx, dy;
        std::vector<int> colours; // which source colour lands at each pixel
    };
    const Case cases[] = {
        {3, 0, {1, 2, 3, 4, 5, 6}}, // a whole width changes nothing
        {0, 2, {1, 2, 3, 4, 5, 6}}, // a whole height likewise
        {-3, 0, {1, 2, 3, 4, 5, 6}},
        {1, 0, {6, 1, 2, 3, 4, 5}}, // the last pixel wraps to the first
        {-1, 0, {2, 3, 4, 5, 6, 1}},
        {4, 0, {6, 1, 2, 3, 4, 5}},  // 4 mod 3 = 1
        {-4, 0, {2, 3, 4, 5, 6, 1}}, // -4 mod 3 = -1 (the dividend's sign), not 2
        {2, 0, {5, 6, 1, 2, 3, 4}},
        {0, 1, {4, 5, 6, 1, 2, 3}},  // the rows swap colours
        {1, -1, {3, 4, 5, 6, 1, 2}}, // (1 - 3) pixels
    };
    for (const Case& c : cases) {
        CBmp bmp;
        Load(bmp, 3, 2, colourWords({1, 2, 3, 4, 5, 6}));
        bmp.Roll(c.dx, c.dy);
        EXPECT_EQ(Read(bmp), colourWords(c.colours)) << c.dx << ", " << c.dy;
    }
}

TEST(ImageOps, OperationsOnAnEmptyBitmapDoNothing) {
    CBmp bmp;
    bmp.BrightnessContrast(10, 10);
    bmp.Saturation(0);
    bmp.Shift(1, 1);
    bmp.Roll(1, 1);
    const GradientPoint points[] = {{0, 0}, {1, 1}};
    const uint32_t colours[] = {1, 2};
    bmp.GradientFill(points, colours, 2, true, true);
    EXPECT_EQ(bmp.pixels, nullptr);
    EXPECT_EQ(bmp.byteSize, 0);
}
