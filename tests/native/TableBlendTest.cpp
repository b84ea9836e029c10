// The table blend's rows, through the SSE2 steps and, where the processor has them, the
// AVX2 steps, against the fire's scalar reference pixel, which follows the same rule.

#include "graphics/TableBlend.h"
#include "graphics/Avx2Blend.h"
#include "support/ScrambledTable.h"
#include "tests/reference/CSetEmbraReference.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int32_t kRow = 15; // one group of eight, one of four and a tail of three

uint32_t Pixel(uint32_t blue, uint32_t green, uint32_t red, uint32_t alpha) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(blue), static_cast<uint8_t>(green),
                              static_cast<uint8_t>(red), static_cast<uint8_t>(alpha)};
    uint32_t word;
    std::memcpy(&word, bytes, 4);
    return word;
}

// Every pair of sprite and target alphas, in two rows: one whose alphas differ from pixel
// to pixel, so that groups mix skipped, copied and blended pixels, and one whose alphas
// are all s over d, so that whole groups are left alone (d = 255 or s = 0) or copied.
TEST(TableBlend, RowsMatchThePixelByPixelBlend) {
    const CSetEmbra::ColourTable table = ScrambledTable();
    uint64_t lanes[256];
    TableBlend::FillLanes(table.blue, table.green, table.red, lanes);
    std::vector<bool> paths = {false};
    if (Avx2Blend::Avx2Available())
        paths.push_back(true);
    for (uint32_t s = 0; s < 256; ++s)
        for (uint32_t d = 0; d < 256; ++d)
            for (const uint32_t step : {0u, 1u}) {
                uint32_t sprite[kRow];
                uint32_t target[kRow];
                for (uint32_t i = 0; i < kRow; ++i) {
                    sprite[i] = Pixel(s ^ i, 9, 200, (s + 37 * i * step) & 0xFF);
                    target[i] = Pixel(d, s + i, 255 - d, (d + 91 * i * step) & 0xFF);
                }
                uint32_t expected[kRow];
                std::memcpy(expected, target, sizeof expected);
                for (int32_t i = 0; i < kRow; ++i)
                    CSetEmbraReference::BlendPixel(reinterpret_cast<uint8_t*>(expected + i),
                                                   reinterpret_cast<const uint8_t*>(sprite + i),
                                                   table);
                for (const bool avx2 : paths) {
                    uint32_t fast[kRow];
                    std::memcpy(fast, target, sizeof fast);
                    TableBlend::Row(fast, sprite, kRow, lanes, avx2);
                    ASSERT_EQ(0, std::memcmp(expected, fast, sizeof fast))
                        << s << " over " << d << (step ? ", varying" : ", uniform")
                        << (avx2 ? ", AVX2" : ", SSE2");
                }
            }
}

} // namespace
