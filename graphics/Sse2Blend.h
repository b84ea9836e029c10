#pragma once

#include <emmintrin.h>

// SSE2 forms of the exact blend steps, four 0xAARRGGBB pixels per register. Lanes that
// hold bytes keep their upper bits zero, so 16-bit products of two bytes are exact.
namespace Sse2Blend {

// floor(x / 255) in every 16-bit lane, for x <= 65025: (x + 1 + (x >> 8)) >> 8.
inline __m128i Div255U16(__m128i x) {
    const __m128i one = _mm_set1_epi16(1);
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, one), _mm_srli_epi16(x, 8)), 8);
}

// The alpha byte of each pixel, in the low byte of its 32-bit lane.
inline __m128i Alphas(__m128i pixels) {
    return _mm_srli_epi32(pixels, 24);
}

// s + d - floor(s*d/255) per 32-bit lane; s and d are bytes, so each product fits the
// lane's low 16 bits and the high halves stay zero through the division.
inline __m128i AlphaUnion(__m128i s, __m128i d) {
    return _mm_sub_epi32(_mm_add_epi32(s, d), Div255U16(_mm_mullo_epi16(s, d)));
}

// A byte per 32-bit lane repeated into the four 16-bit lanes of its pixel: pixels 0 and
// 1 into `low`, pixels 2 and 3 into `high`.
inline void Spread(__m128i bytes, __m128i* low, __m128i* high) {
    const __m128i pair = _mm_or_si128(bytes, _mm_slli_epi32(bytes, 16));
    *low = _mm_unpacklo_epi32(pair, pair);
    *high = _mm_unpackhi_epi32(pair, pair);
}

// floor((x + y) / 256) per 16-bit lane for x, y <= 65025, whose sum exceeds 16 bits:
// halve both first, adding back the carry both low bits make together.
inline __m128i SumDiv256(__m128i x, __m128i y) {
    const __m128i carry = _mm_and_si128(_mm_and_si128(x, y), _mm_set1_epi16(1));
    const __m128i half =
        _mm_add_epi16(_mm_add_epi16(_mm_srli_epi16(x, 1), _mm_srli_epi16(y, 1)), carry);
    return _mm_srli_epi16(half, 7);
}

// mask ? yes : no, bit by bit.
inline __m128i Select(__m128i mask, __m128i yes, __m128i no) {
    return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

} // namespace Sse2Blend
