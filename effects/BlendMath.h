#pragma once

#include <cstdint>

// Exact integer steps of the northern lights' and the water's blends, free of divisions.
namespace BlendMath {

// floor(x / 255) for 0 <= x <= 65025, the range of a product of two bytes.
constexpr uint32_t Div255(uint32_t x) {
    return (x + 1 + (x >> 8)) >> 8;
}

// s + d - floor(s*d/255): the alpha of a sprite pixel s drawn over a target alpha d.
constexpr uint32_t AlphaUnion(uint32_t s, uint32_t d) {
    return s + d - Div255(s * d);
}

} // namespace BlendMath
