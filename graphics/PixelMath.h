#pragma once

#include <cstdint>

// The integer pixel arithmetic that repeats across the buffer operations and the effects'
// blend loops, written once so that every loop truncates and shifts the same way.
namespace PixelMath {

// Alpha of a sprite pixel of alpha s drawn over a target of alpha d:
//   s + d - s*d/255, truncating (d = 0 gives s, s = 255 or d = 255 gives 255).
constexpr uint32_t AlphaUnion(uint32_t s, uint32_t d) {
    return s + d - s * d / 255;
}

// x / 255 without a division, truncating: exact for every x below 65535, which covers
// every product s*d of two bytes (at most 65025).
constexpr uint32_t DivideBy255(uint32_t x) {
    return (x + 1 + (x >> 8)) >> 8;
}

// Opacity factor of a percentage: h = percent*256/100, truncating (50 -> 128, 99 -> 253,
// 100 -> 256). Percentages outside 0..100 are clamped so that the factor never scales a
// byte above 255 or below 0.
constexpr uint32_t OpacityFactor(int percent) {
    if (percent <= 0)
        return 0;
    if (percent >= 100)
        return 256;
    return static_cast<uint32_t>(percent) * 256 / 100;
}

// A byte scaled by an opacity factor: (h*byte) >> 8. With h <= 256 the result is a byte.
constexpr uint8_t ScaleByFactor(uint32_t h, uint32_t byte) {
    return static_cast<uint8_t>((h * byte) >> 8);
}

// Rescaled alpha: m*a/255 + add, truncating, and 255 when that reaches 256 or more.
// Computed in 64 bits so that no multiplier or addend wraps around.
constexpr uint8_t ScaleAlphaByte(uint32_t alpha, uint32_t m, uint32_t add) {
    const uint64_t value = uint64_t{m} * alpha / 255 + add;
    return value > 255 ? uint8_t{255} : static_cast<uint8_t>(value);
}

} // namespace PixelMath
