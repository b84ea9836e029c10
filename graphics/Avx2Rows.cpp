#include "graphics/Avx2Rows.h"

#include <immintrin.h>

// Only these functions are compiled for AVX2; the rest of the program stays SSE2, and the
// callers check Avx2Available() before they get here.
#define EMBRA_AVX2 __attribute__((target("avx2")))

namespace Avx2Rows {

bool Avx2Available() {
    // GCC's check includes the operating system's support of the wide registers.
    return __builtin_cpu_supports("avx2");
}

namespace {

// floor(x / 255) in every 16-bit lane, for x <= 65025.
EMBRA_AVX2 __m256i Div255U16(__m256i x) {
    const __m256i one = _mm256_set1_epi16(1);
    return _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(x, one), _mm256_srli_epi16(x, 8)),
                             8);
}

// s + d - floor(s*d/255) per 32-bit lane holding a byte.
EMBRA_AVX2 __m256i AlphaUnion(__m256i s, __m256i d) {
    return _mm256_sub_epi32(_mm256_add_epi32(s, d), Div255U16(_mm256_mullo_epi16(s, d)));
}

// A byte per 32-bit lane repeated into its pixel's four 16-bit lanes, in the order of
// the in-lane byte unpacks: `low` pixels 0, 1, 4, 5 and `high` pixels 2, 3, 6, 7.
EMBRA_AVX2 void Spread(__m256i bytes, __m256i* low, __m256i* high) {
    const __m256i pair = _mm256_or_si256(bytes, _mm256_slli_epi32(bytes, 16));
    *low = _mm256_unpacklo_epi32(pair, pair);
    *high = _mm256_unpackhi_epi32(pair, pair);
}

// floor((x + y) / 256) per 16-bit lane for x, y <= 65025.
EMBRA_AVX2 __m256i SumDiv256(__m256i x, __m256i y) {
    const __m256i carry = _mm256_and_si256(_mm256_and_si256(x, y), _mm256_set1_epi16(1));
    const __m256i half =
        _mm256_add_epi16(_mm256_add_epi16(_mm256_srli_epi16(x, 1), _mm256_srli_epi16(y, 1)), carry);
    return _mm256_srli_epi16(half, 7);
}

} // namespace

EMBRA_AVX2 int32_t GlimraRow(uint32_t* d, const uint32_t* s, int32_t n, uint32_t shared) {
    const short red = static_cast<short>((shared >> 16) & 0xFF);
    const short green = static_cast<short>((shared >> 8) & 0xFF);
    const short blue = static_cast<short>(shared & 0xFF);
    // Blue, green, red and 255 per pixel: a * 255 / 255 gives the alpha byte back.
    const __m256i colour = _mm256_set_epi16(255, red, green, blue, 255, red, green, blue, 255, red,
                                            green, blue, 255, red, green, blue);
    const __m256i zero = _mm256_setzero_si256();
    const __m256i opaque = _mm256_set1_epi32(255);
    int32_t u = 0;
    for (; u + 8 <= n; u += 8) {
        const __m256i target = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + u));
        const __m256i sprite = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + u));
        const __m256i sa = _mm256_srli_epi32(sprite, 24);
        const __m256i a = AlphaUnion(sa, _mm256_srli_epi32(target, 24));
        __m256i low, high;
        Spread(a, &low, &high);
        low = Div255U16(_mm256_mullo_epi16(low, colour));
        high = Div255U16(_mm256_mullo_epi16(high, colour));
        __m256i out = _mm256_packus_epi16(low, high);
        out = _mm256_blendv_epi8(out, sprite, _mm256_cmpeq_epi32(sa, opaque));
        out = _mm256_blendv_epi8(out, target, _mm256_cmpeq_epi32(sa, zero));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + u), out);
    }
    return u;
}

EMBRA_AVX2 int32_t RiplaRow(uint32_t* d, const uint32_t* s, int32_t n, const uint64_t lanes[256]) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i opaque = _mm256_set1_epi32(255);
    const __m256i colourBytes = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i order = _mm256_setr_epi32(0, 1, 4, 5, 2, 3, 6, 7);
    const long long* table = reinterpret_cast<const long long*>(lanes);
    int32_t u = 0;
    for (; u + 8 <= n; u += 8) {
        const __m256i target = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + u));
        const __m256i sprite = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + u));
        const __m256i sa = _mm256_srli_epi32(sprite, 24);
        const __m256i da = _mm256_srli_epi32(target, 24);
        const __m256i a = AlphaUnion(sa, da);
        // The ramp's shares in the order of the unpacks below.
        const __m256i index = _mm256_permutevar8x32_epi32(a, order);
        const __m256i shareLow = _mm256_i32gather_epi64(table, _mm256_castsi256_si128(index), 8);
        const __m256i shareHigh =
            _mm256_i32gather_epi64(table, _mm256_extracti128_si256(index, 1), 8);
        __m256i keepLow, keepHigh;
        Spread(_mm256_sub_epi32(opaque, a), &keepLow, &keepHigh);
        const __m256i oldLow = _mm256_mullo_epi16(_mm256_unpacklo_epi8(target, zero), keepLow);
        const __m256i oldHigh = _mm256_mullo_epi16(_mm256_unpackhi_epi8(target, zero), keepHigh);
        const __m256i colour =
            _mm256_packus_epi16(SumDiv256(shareLow, oldLow), SumDiv256(shareHigh, oldHigh));
        __m256i out =
            _mm256_or_si256(_mm256_and_si256(colour, colourBytes), _mm256_slli_epi32(a, 24));
        out = _mm256_blendv_epi8(out, sprite, _mm256_cmpeq_epi32(sa, opaque));
        const __m256i keep =
            _mm256_or_si256(_mm256_cmpeq_epi32(da, opaque), _mm256_cmpeq_epi32(sa, zero));
        out = _mm256_blendv_epi8(out, target, keep);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + u), out);
    }
    return u;
}

} // namespace Avx2Rows
