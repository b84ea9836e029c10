// The water's blend rows, through the SSE2 steps and, where the processor has them, the
// AVX2 steps, against the reference pixel, which looks the colours up in the ramp's tables.

#include "effects/water/RiplaBlend.h"
#include "graphics/Avx2Blend.h"
#include "tests/reference/CSetRiplaReference.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

uint32_t Pixel(uint32_t blue, uint32_t green, uint32_t red, uint32_t alpha) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(blue), static_cast<uint8_t>(green),
                              static_cast<uint8_t>(red), static_cast<uint8_t>(alpha)};
    uint32_t word;
    std::memcpy(&word, bytes, 4);
    return word;
}

// Every pair of sprite and target alphas, in two kinds of row: one of 256 pixels whose
// alphas are all s over d, so that whole groups are left alone (d = 255 or s = 0), copied
// or blended, and whose old colours run through every byte in each channel; and one whose
// alphas differ from pixel to pixel, so that groups mix the three, 31 pixels long (groups
// of sixteen and eight and a tail of seven).
TEST(RiplaBlend, RowsMatchThePixelByPixelBlend) {
    uint8_t red[256], green[256], blue[256];
    for (uint32_t a = 0; a < 256; ++a) {
        red[a] = RiplaBlend::RampRed(a);
        green[a] = RiplaBlend::RampGreen(a);
        blue[a] = RiplaBlend::RampBlue(a);
    }
    const RiplaDraw::CRamp ramp{red, green, blue};
    std::vector<bool> paths = {false};
    if (Avx2Blend::Avx2Available())
        paths.push_back(true);
    const struct Kind {
        uint32_t length;
        uint32_t spriteStep; // alpha steps from pixel to pixel
        uint32_t targetStep;
    } kinds[] = {{256, 0, 0}, {31, 37, 91}};
    for (const Kind& kind : kinds)
        for (uint32_t s = 0; s < 256; ++s)
            for (uint32_t d = 0; d < 256; ++d) {
                std::vector<uint32_t> sprite(kind.length), target(kind.length);
                for (uint32_t i = 0; i < kind.length; ++i) {
                    sprite[i] = Pixel(s ^ i, 9, 200, (s + kind.spriteStep * i) & 0xFF);
                    target[i] = Pixel(i, 255 - i, 7 * i + d, (d + kind.targetStep * i) & 0xFF);
                }
                std::vector<uint32_t> expected = target;
                for (uint32_t i = 0; i < kind.length; ++i)
                    CSetRiplaReference::BlendPixel(reinterpret_cast<uint8_t*>(&expected[i]),
                                                   reinterpret_cast<const uint8_t*>(&sprite[i]),
                                                   ramp);
                for (const bool avx2 : paths) {
                    std::vector<uint32_t> fast = target;
                    RiplaBlend::Row(fast.data(), sprite.data(), static_cast<int32_t>(kind.length),
                                    avx2);
                    ASSERT_EQ(expected, fast) << s << " over " << d << ", " << kind.length
                                              << " pixels" << (avx2 ? ", AVX2" : ", SSE2");
                }
            }
}

} // namespace
