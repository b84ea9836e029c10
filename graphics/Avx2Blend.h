#pragma once

#include <immintrin.h>

#include <cstdint>

// Compiles a function for AVX2 while the rest of the program stays SSE2; call such a
// function only when Avx2Blend::Avx2Available() is true.
#define EMBRA_AVX2 __attribute__((target("avx2")))

// AVX2 forms of the exact blend steps of Sse2Blend, eight 0xAARRGGBB pixels per register.
// Lanes that hold bytes keep their upper bits zero, so 16-bit products of two bytes are
// exact. The 256-bit unpacks work within each 128-bit half.
namespace Avx2Blend {

// True when the processor and the operating system run AVX2 code.
bool Avx2Available();

// (factor * byte) >> 8 for the leading whole groups of 32 of `count` bytes, factor at most
// 256; returns how many bytes it scaled.
int32_t ScaleBytes(uint8_t* bytes, int32_t count, uint32_t factor);

// floor(x / 255) in every 16-bit lane, for x <= 65025: (x + 1 + (x >> 8)) >> 8.
EMBRA_AVX2 inline __m256i Div255U16(__m256i x) {
    const __m256i one = _mm256_set1_epi16(1);
    return _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(x, one), _mm256_srli_epi16(x, 8)),
                             8);
}

// The alpha byte of each pixel, in the low byte of its 32-bit lane.
EMBRA_AVX2 inline __m256i Alphas(__m256i pixels) {
    return _mm256_srli_epi32(pixels, 24);
}

// s + d - floor(s*d/255) per 32-bit lane holding a byte.
EMBRA_AVX2 inline __m256i AlphaUnion(__m256i s, __m256i d) {
    return _mm256_sub_epi32(_mm256_add_epi32(s, d), Div255U16(_mm256_mullo_epi16(s, d)));
}

// A byte per 32-bit lane repeated into its pixel's four 16-bit lanes, in the order of
// the in-lane byte unpacks: `low` pixels 0, 1, 4, 5 and `high` pixels 2, 3, 6, 7.
EMBRA_AVX2 inline void Spread(__m256i bytes, __m256i* low, __m256i* high) {
    const __m256i pair = _mm256_or_si256(bytes, _mm256_slli_epi32(bytes, 16));
    *low = _mm256_unpacklo_epi32(pair, pair);
    *high = _mm256_unpackhi_epi32(pair, pair);
}

// floor((x + y) / 256) per 16-bit lane for x, y <= 65025, whose sum exceeds 16 bits:
// halve both first, adding back the carry both low bits make together.
EMBRA_AVX2 inline __m256i SumDiv256(__m256i x, __m256i y) {
    const __m256i carry = _mm256_and_si256(_mm256_and_si256(x, y), _mm256_set1_epi16(1));
    const __m256i half =
        _mm256_add_epi16(_mm256_add_epi16(_mm256_srli_epi16(x, 1), _mm256_srli_epi16(y, 1)), carry);
    return _mm256_srli_epi16(half, 7);
}

} // namespace Avx2Blend
