#include "effects/lights/GlimraDraw.h"

#include "effects/engine/DrawSpanRows.h"
#include "graphics/Avx2Blend.h"
#include "graphics/PixelMath.h"
#include "graphics/Sse2Blend.h"

#include <cstring>

namespace GlimraDraw {

namespace {

// One pixel of the blend, for the ends of a span that fill no whole register.
void BlendPixel(uint32_t* d, const uint32_t* s, uint32_t shared) {
    uint32_t sprite, target;
    std::memcpy(&sprite, s, 4);
    std::memcpy(&target, d, 4);
    const uint32_t sa = sprite >> 24;
    if (sa == 0)
        return;
    if (sa != 255) {
        const uint32_t a = PixelMath::AlphaUnion(sa, target >> 24); // d = 0 gives sa
        sprite = a << 24 | PixelMath::DivideBy255(a * ((shared >> 16) & 0xFF)) << 16 |
                 PixelMath::DivideBy255(a * ((shared >> 8) & 0xFF)) << 8 |
                 PixelMath::DivideBy255(a * (shared & 0xFF));
    }
    std::memcpy(d, &sprite, 4);
}

// The leading whole groups of eight of pixels 0 .. n - 1, eight per AVX2 step; returns
// how many it blended, the SSE2 loop finishing the row.
EMBRA_AVX2 int32_t Avx2Row(uint32_t* d, const uint32_t* s, int32_t n, uint32_t shared) {
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
        const __m256i sa = Avx2Blend::Alphas(sprite);
        const __m256i a = Avx2Blend::AlphaUnion(sa, Avx2Blend::Alphas(target));
        __m256i low, high;
        Avx2Blend::Spread(a, &low, &high);
        low = Avx2Blend::Div255U16(_mm256_mullo_epi16(low, colour));
        high = Avx2Blend::Div255U16(_mm256_mullo_epi16(high, colour));
        __m256i out = _mm256_packus_epi16(low, high);
        out = _mm256_blendv_epi8(out, sprite, _mm256_cmpeq_epi32(sa, opaque));
        out = _mm256_blendv_epi8(out, target, _mm256_cmpeq_epi32(sa, zero));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + u), out);
    }
    return u;
}

// Pixels 0 .. n - 1 of one row. `colour` holds blue, green, red, 255 twice in 16-bit
// lanes: a * 255 / 255 gives the alpha byte back.
void BlendRow(uint32_t* d, const uint32_t* s, int32_t first, int32_t n, __m128i colour,
              uint32_t shared) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i opaque = _mm_set1_epi32(255);
    int32_t u = first;
    for (; u + 4 <= n; u += 4) {
        const __m128i target = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + u));
        const __m128i sprite = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + u));
        const __m128i sa = Sse2Blend::Alphas(sprite);
        const __m128i a = Sse2Blend::AlphaUnion(sa, Sse2Blend::Alphas(target));
        __m128i low, high;
        Sse2Blend::Spread(a, &low, &high);
        low = Sse2Blend::Div255U16(_mm_mullo_epi16(low, colour));
        high = Sse2Blend::Div255U16(_mm_mullo_epi16(high, colour));
        __m128i out = _mm_packus_epi16(low, high);
        out = Sse2Blend::Select(_mm_cmpeq_epi32(sa, opaque), sprite, out);
        out = Sse2Blend::Select(_mm_cmpeq_epi32(sa, zero), target, out);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + u), out);
    }
    for (; u < n; ++u)
        BlendPixel(d + u, s + u, shared);
}

} // namespace

int64_t Fast(const CDrawTarget& target, const CBmp& frame, const CRowSpan* spans, int32_t x0,
             int32_t y0, uint32_t shared) {
    const int16_t red = static_cast<int16_t>((shared >> 16) & 0xFF);
    const int16_t green = static_cast<int16_t>((shared >> 8) & 0xFF);
    const int16_t blue = static_cast<int16_t>(shared & 0xFF);
    const __m128i colour = _mm_set_epi16(255, red, green, blue, 255, red, green, blue);
    // Frame row v lands on row y0 + v - 1; rows 1 .. fh - 1 are drawn.
    return DrawSpanRows(
        target, frame, spans, x0, y0 - 1, 1, [&](uint32_t* d, const uint32_t* s, int32_t n) {
            BlendRow(d, s, target.avx2 ? Avx2Row(d, s, n, shared) : 0, n, colour, shared);
        });
}

} // namespace GlimraDraw
