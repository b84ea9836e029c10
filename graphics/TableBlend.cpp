#include "graphics/TableBlend.h"

#include "graphics/Avx2Blend.h"
#include "graphics/PixelMath.h"
#include "graphics/Sse2Blend.h"

#include <cstring>

namespace TableBlend {

void FillLanes(const uint8_t* blue, const uint8_t* green, const uint8_t* red, uint64_t lanes[256]) {
    for (uint64_t a = 0; a < 256; ++a)
        lanes[a] = blue[a] * a | (green[a] * a) << 16 | (red[a] * a) << 32 | (a << 8) << 48;
}

void BlendPixel(uint32_t* d, const uint32_t* s, const uint64_t lanes[256]) {
    uint32_t sprite, target;
    std::memcpy(&sprite, s, 4);
    std::memcpy(&target, d, 4);
    const uint32_t sa = sprite >> 24;
    const uint32_t da = target >> 24;
    if (da == 255 || sa == 0)
        return;
    if (sa != 255) {
        const uint32_t a = PixelMath::AlphaUnion(sa, da); // d = 0 gives sa
        const uint32_t keep = 255 - a;
        sprite = a << 24;
        for (int shift = 0; shift < 24; shift += 8) {
            const uint32_t share = static_cast<uint32_t>(lanes[a] >> (shift * 2)) & 0xFFFF;
            sprite |= ((share + ((target >> shift) & 0xFF) * keep) >> 8) << shift;
        }
    }
    std::memcpy(d, &sprite, 4);
}

namespace {

// The table's share of one pixel, in the low 64 bits.
inline __m128i Shares1(const uint64_t lanes[256], uint32_t alpha) {
    return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(lanes + alpha));
}

// The table's shares of two pixels.
__m128i Shares(const uint64_t lanes[256], uint32_t first, uint32_t second) {
    return _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(lanes + first)),
                              _mm_loadl_epi64(reinterpret_cast<const __m128i*>(lanes + second)));
}

} // namespace

void Sse2Row(uint32_t* d, const uint32_t* s, int32_t first, int32_t n, const uint64_t lanes[256]) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i opaque = _mm_set1_epi32(255);
    // 255 - a for the colours, 0 for the alpha, whose share alone gives the new alpha.
    const __m128i colourLanes = _mm_set1_epi64x(0x0000FFFFFFFFFFFF);
    alignas(16) uint32_t alpha[4];
    int32_t u = first;
    for (; u + 4 <= n; u += 4) {
        const __m128i target = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + u));
        const __m128i sprite = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + u));
        const __m128i sa = Sse2Blend::Alphas(sprite);
        const __m128i da = Sse2Blend::Alphas(target);
        const __m128i keep = _mm_or_si128(_mm_cmpeq_epi32(da, opaque), _mm_cmpeq_epi32(sa, zero));
        if (_mm_movemask_epi8(keep) == 0xFFFF)
            continue;
        const __m128i a = Sse2Blend::AlphaUnion(sa, da);
        _mm_store_si128(reinterpret_cast<__m128i*>(alpha), a);
        __m128i keepLow, keepHigh;
        Sse2Blend::Spread(_mm_sub_epi32(opaque, a), &keepLow, &keepHigh);
        const __m128i oldLow =
            _mm_mullo_epi16(_mm_unpacklo_epi8(target, zero), _mm_and_si128(keepLow, colourLanes));
        const __m128i oldHigh =
            _mm_mullo_epi16(_mm_unpackhi_epi8(target, zero), _mm_and_si128(keepHigh, colourLanes));
        const __m128i low =
            _mm_srli_epi16(_mm_add_epi16(Shares(lanes, alpha[0], alpha[1]), oldLow), 8);
        const __m128i high =
            _mm_srli_epi16(_mm_add_epi16(Shares(lanes, alpha[2], alpha[3]), oldHigh), 8);
        __m128i out = _mm_packus_epi16(low, high);
        out = Sse2Blend::Select(_mm_cmpeq_epi32(sa, opaque), sprite, out);
        out = Sse2Blend::Select(keep, target, out);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + u), out);
    }
    for (; u < n; ++u)
        BlendPixel(d + u, s + u, lanes);
}

namespace {

// The table's shares of pixels i, j (low half) and k, l (high half), by their new alphas.
// Four plain loads: they cost less than a gather.
EMBRA_AVX2 __m256i Shares(const uint64_t lanes[256], const uint32_t* alpha, int i, int j, int k,
                          int l) {
    const __m128i low =
        _mm_insert_epi64(Shares1(lanes, alpha[i]), static_cast<long long>(lanes[alpha[j]]), 1);
    const __m128i high =
        _mm_insert_epi64(Shares1(lanes, alpha[k]), static_cast<long long>(lanes[alpha[l]]), 1);
    return _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
}

} // namespace

EMBRA_AVX2 int32_t Avx2Row(uint32_t* d, const uint32_t* s, int32_t n, const uint64_t lanes[256]) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i opaque = _mm256_set1_epi32(255);
    // Each pixel's 255 - a byte into its three colour lanes (0 in the alpha lane), in the
    // order of the in-lane byte unpacks: pixels 0, 1 (and 4, 5) low, 2, 3 (6, 7) high.
    const __m256i spreadLow =
        _mm256_setr_epi8(0, -1, 0, -1, 0, -1, -1, -1, 4, -1, 4, -1, 4, -1, -1, -1, 0, -1, 0, -1, 0,
                         -1, -1, -1, 4, -1, 4, -1, 4, -1, -1, -1);
    const __m256i spreadHigh =
        _mm256_setr_epi8(8, -1, 8, -1, 8, -1, -1, -1, 12, -1, 12, -1, 12, -1, -1, -1, 8, -1, 8, -1,
                         8, -1, -1, -1, 12, -1, 12, -1, 12, -1, -1, -1);
    alignas(32) uint32_t alpha[8];
    int32_t u = 0;
    for (; u + 8 <= n; u += 8) {
        const __m256i target = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + u));
        const __m256i sprite = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + u));
        const __m256i sa = Avx2Blend::Alphas(sprite);
        const __m256i da = Avx2Blend::Alphas(target);
        const __m256i keep =
            _mm256_or_si256(_mm256_cmpeq_epi32(da, opaque), _mm256_cmpeq_epi32(sa, zero));
        if (_mm256_movemask_epi8(keep) == -1)
            continue; // nothing to blend: every target opaque or sprite pixel transparent
        const __m256i a = Avx2Blend::AlphaUnion(sa, da);
        _mm256_store_si256(reinterpret_cast<__m256i*>(alpha), a);
        // The table's shares in the order of the unpacks below.
        const __m256i shareLow = Shares(lanes, alpha, 0, 1, 4, 5);
        const __m256i shareHigh = Shares(lanes, alpha, 2, 3, 6, 7);
        const __m256i rest = _mm256_sub_epi32(opaque, a);
        const __m256i oldLow = _mm256_mullo_epi16(_mm256_unpacklo_epi8(target, zero),
                                                  _mm256_shuffle_epi8(rest, spreadLow));
        const __m256i oldHigh = _mm256_mullo_epi16(_mm256_unpackhi_epi8(target, zero),
                                                   _mm256_shuffle_epi8(rest, spreadHigh));
        __m256i out =
            _mm256_packus_epi16(_mm256_srli_epi16(_mm256_add_epi16(shareLow, oldLow), 8),
                                _mm256_srli_epi16(_mm256_add_epi16(shareHigh, oldHigh), 8));
        out = _mm256_blendv_epi8(out, sprite, _mm256_cmpeq_epi32(sa, opaque));
        out = _mm256_blendv_epi8(out, target, keep);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + u), out);
    }
    return u;
}

} // namespace TableBlend
