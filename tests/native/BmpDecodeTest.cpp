#include "graphics/CBmp.h"
#include "support/TestBitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

namespace {

// A word that tells the pixel's position: blue x, green y, red 0x80.
uint32_t PositionWord(int x, int y) {
    return 0x00800000u | (static_cast<uint32_t>(y) << 8) | static_cast<uint32_t>(x);
}

// Row order, depth and alpha: what each file decodes to.
TEST(BmpDecode, DecodesRowsTopDownWithTheAlphaRule) {
    const auto alphaAtOrigin = [](int x, int y) {
        return (x == 0 && y == 0 ? 0x40000000u : 0u) | PositionWord(x, y);
    };
    struct Case {
        int bits;
        bool topDown;
        std::function<uint32_t(int, int)> word;
        uint32_t forcedAlpha; // ORed into every expected word
        int32_t hasAlpha;
    };
    const Case cases[] = {
        {24, false, PositionWord, 0xFF000000u, 0}, // 9 bytes a row: 3 of padding
        {24, true, PositionWord, 0xFF000000u, 0},  // top-down rows
        {32, false, PositionWord, 0xFF000000u, 0}, // all alpha 0: opaque
        {32, false, alphaAtOrigin, 0u, 1},         // alpha kept
        {32, true, alphaAtOrigin, 0u, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, top-down " << c.topDown);
        const std::vector<uint8_t> file = MakeBmpBytes(3, 2, c.bits, c.topDown, c.word);
        CBmp bitmap;
        bitmap.name = "kept";
        bitmap.LoadBmpBytes(file.data(), file.size());
        ASSERT_NE(bitmap.pixels, nullptr);
        EXPECT_EQ(bitmap.width, 3);
        EXPECT_EQ(bitmap.height, 2);
        EXPECT_EQ(bitmap.byteSize, 24);
        EXPECT_EQ(bitmap.hasAlpha, c.hasAlpha);
        EXPECT_EQ(bitmap.name, tstr("kept"));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(bitmap.Pixel(x, y), c.word(x, y) | c.forcedAlpha) << x << "," << y;
    }
}

void WriteU32(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value) {
    std::memcpy(&bytes[at], &value, sizeof value);
}

// Each row spoils a valid 2 x 2 32-bit file; the bitmap, holding pixels before, must end
// up empty. The damaged copy is exactly as long as stated, so that a read past it shows
// under the sanitizers.
TEST(BmpDecode, MalformedFilesGiveAnEmptyBitmap) {
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> spoil;
    };
    const Case cases[] = {
        {"empty", [](std::vector<uint8_t>& b) { b.clear(); }},
        {"headers cut short", [](std::vector<uint8_t>& b) { b.resize(50); }},
        {"last pixel byte missing", [](std::vector<uint8_t>& b) { b.pop_back(); }},
        {"no BM signature", [](std::vector<uint8_t>& b) { b[1] = 'A'; }},
        {"16 bits per pixel", [](std::vector<uint8_t>& b) { b[28] = 16; }},
        {"compressed", [](std::vector<uint8_t>& b) { WriteU32(b, 30, 1); }},
        {"core header", [](std::vector<uint8_t>& b) { WriteU32(b, 14, 12); }},
        {"negative width", [](std::vector<uint8_t>& b) { WriteU32(b, 18, 0xFFFFFFFEu); }},
        {"zero height", [](std::vector<uint8_t>& b) { WriteU32(b, 22, 0); }},
        {"smallest height", [](std::vector<uint8_t>& b) { WriteU32(b, 22, 0x80000000u); }},
        {"rows beyond the data", [](std::vector<uint8_t>& b) { WriteU32(b, 22, 3); }},
        {"pixels inside the header", [](std::vector<uint8_t>& b) { WriteU32(b, 10, 20); }},
        {"pixels past the end", [](std::vector<uint8_t>& b) { WriteU32(b, 10, 0xFFFFFFF0u); }},
        {"huge picture",
         [](std::vector<uint8_t>& b) {
             WriteU32(b, 18, 0x40000000);
             WriteU32(b, 22, 0x40000000);
         }},
    };
    const std::vector<uint8_t> valid = MakeBmpBytes(2, 2, 32, false, PositionWord);
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = valid;
        c.spoil(bytes);
        const std::unique_ptr<uint8_t[]> exact = std::make_unique<uint8_t[]>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), exact.get());
        CBmp bitmap;
        bitmap.Create(2, 2);
        bitmap.LoadBmpBytes(exact.get(), bytes.size());
        EXPECT_EQ(bitmap.pixels, nullptr) << c.what;
        EXPECT_EQ(bitmap.byteSize, 0) << c.what;
        EXPECT_EQ(bitmap.width, 0) << c.what;
    }
}

} // namespace
