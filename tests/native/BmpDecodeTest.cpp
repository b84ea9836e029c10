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

void ExpectEmpty(const CBmp& bitmap) {
    EXPECT_EQ(bitmap.pixels, nullptr);
    EXPECT_EQ(bitmap.width, 0);
    EXPECT_EQ(bitmap.height, 0);
    EXPECT_EQ(bitmap.byteSize, 0);
}

void WriteU32(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value) {
    std::memcpy(&bytes[at], &value, sizeof value);
}

TEST(BmpDecode, TwentyFourBitRowsArePaddedBottomUpAndOpaque) {
    // 3 pixels of 3 bytes: each row carries 3 padding bytes.
    const std::vector<uint8_t> file = MakeBmpBytes(3, 2, 24, false, PositionWord);
    CBmp bitmap;
    bitmap.name = "kept";
    bitmap.LoadBmpBytes(file.data(), file.size());
    ASSERT_NE(bitmap.pixels, nullptr);
    EXPECT_EQ(bitmap.width, 3);
    EXPECT_EQ(bitmap.height, 2);
    EXPECT_EQ(bitmap.byteSize, 24);
    EXPECT_EQ(bitmap.hasAlpha, 0);
    EXPECT_EQ(bitmap.name, tstr("kept"));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(bitmap.Pixel(x, y), 0xFF000000u | PositionWord(x, y)) << x << "," << y;
}

TEST(BmpDecode, ThirtyTwoBitAlphaIsKeptInBothRowOrders) {
    const auto word = [](int x, int y) {
        return (y == 1 && x == 0 ? 0x40u << 24 : 0u) | PositionWord(x, y);
    };
    for (const bool topDown : {false, true}) {
        const std::vector<uint8_t> file = MakeBmpBytes(2, 3, 32, topDown, word);
        CBmp bitmap;
        bitmap.LoadBmpBytes(file.data(), file.size());
        ASSERT_NE(bitmap.pixels, nullptr);
        EXPECT_EQ(bitmap.hasAlpha, 1);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 2; ++x)
                EXPECT_EQ(bitmap.Pixel(x, y), word(x, y)) << topDown << " " << x << "," << y;
    }
}

TEST(BmpDecode, ThirtyTwoBitWithoutAlphaBecomesOpaque) {
    const std::vector<uint8_t> file = MakeBmpBytes(4, 1, 32, false, PositionWord);
    CBmp bitmap;
    bitmap.LoadBmpBytes(file.data(), file.size());
    ASSERT_NE(bitmap.pixels, nullptr);
    EXPECT_EQ(bitmap.hasAlpha, 0);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(bitmap.Pixel(x, 0), 0xFF000000u | PositionWord(x, 0));
}

TEST(BmpDecode, LoadingReplacesEarlierContentAndLayers) {
    const std::vector<uint8_t> file = MakeBmpBytes(1, 1, 24, false, PositionWord);
    CBmp bitmap;
    bitmap.Create(5, 5);
    bitmap.AddStack("nrm");
    bitmap.LoadBmpBytes(file.data(), file.size());
    EXPECT_EQ(bitmap.width, 1);
    EXPECT_FALSE(bitmap.HasStack(0));
    bitmap.LoadBmpBytes(file.data(), 10);
    ExpectEmpty(bitmap);
}

// Each row spoils a valid 2 x 2 32-bit file; the result must be an empty bitmap. The
// damaged copy is exactly as long as stated, so a read past it shows under the sanitizers.
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
        {"two planes", [](std::vector<uint8_t>& b) { b[26] = 2; }},
        {"core header", [](std::vector<uint8_t>& b) { WriteU32(b, 14, 12); }},
        {"zero width", [](std::vector<uint8_t>& b) { WriteU32(b, 18, 0); }},
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
        SCOPED_TRACE(c.what);
        ExpectEmpty(bitmap);
    }
    CBmp bitmap;
    bitmap.LoadBmpBytes(nullptr, valid.size());
    ExpectEmpty(bitmap);
}

} // namespace
