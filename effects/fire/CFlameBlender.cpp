#include "effects/fire/CFlameBlender.h"

#include "graphics/CBmp.h"
#include "graphics/PixelMath.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include "graphics/Avx2Blend.h"
#include "graphics/Sse2Blend.h"

#include <emmintrin.h>
#include <xmmintrin.h>

// The steps of the fast rows go whole into each of their callers, so that the AVX2 ones
// compile them in AVX2's encoding.
#define EMBRA_INLINE inline __attribute__((always_inline))
#endif

void CFlameBlender::SetColours(const uint8_t* blue, const uint8_t* green, const uint8_t* red) {
    for (uint32_t a = 0; a < 256; ++a) {
        products[a][0] = static_cast<uint16_t>(blue[a] * a);
        products[a][1] = static_cast<uint16_t>(green[a] * a);
        products[a][2] = static_cast<uint16_t>(red[a] * a);
        products[a][3] = static_cast<uint16_t>(a << 8);
        for (int channel = 0; channel < 3; ++channel)
            products[a][kKeep + channel] = static_cast<uint16_t>(255 - a);
        products[a][kKeep + 3] = 0;
    }
}

void CFlameBlender::BlendPixel(uint8_t* target, const uint8_t* sprite) const {
    const uint32_t s = sprite[kAlphaByte];
    const uint32_t d = target[kAlphaByte];
    if (d == 255 || s == 0)
        return;
    if (s == 255) {
        std::memcpy(target, sprite, kBytesPerPixel);
        return;
    }
    const uint32_t a = s + d - PixelMath::DivideBy255(s * d);
    // T[a]*a + v*(255 - a) never exceeds 255*255, so the sum fits the 16-bit products.
    for (int channel = 0; channel < kBytesPerPixel; ++channel)
        target[channel] = static_cast<uint8_t>(
            (products[a][channel] + target[channel] * products[a][kKeep + channel]) >> 8);
}

#if defined(__SSE2__)
// Four pixels at once, none of whose sprite alphas is 255; with kMovedBack, the first
// `done` of them are left alone. The alphas are worked in 32-bit lanes, the channels in
// 16-bit lanes (two pixels a register). A group left wholly alone is worked through as
// well: the fire has a handful a frame, not worth a test in every group.
template <bool kMovedBack>
EMBRA_INLINE void CFlameBlender::BlendFour(uint8_t* target, const uint8_t* sprite,
                                           int32_t done) const {
    const __m128i zero = _mm_setzero_si128();
    const __m128i spritePixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sprite));
    const __m128i targetPixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(target));
    const __m128i s = Sse2Blend::Alphas(spritePixels);
    const __m128i d = Sse2Blend::Alphas(targetPixels);
    __m128i skip = _mm_or_si128(_mm_cmpeq_epi32(s, zero), _mm_cmpeq_epi32(d, _mm_set1_epi32(255)));
    if (kMovedBack)
        skip =
            _mm_or_si128(skip, _mm_cmplt_epi32(_mm_setr_epi32(0, 1, 2, 3), _mm_set1_epi32(done)));
    const __m128i a = Sse2Blend::AlphaUnion(s, d);
    // Each entry holds a pixel's products and keeps: one load per pixel, at the entry's
    // offset in bytes (16 per alpha), which the register shifts for all four at once.
    const auto entry = [this](uint64_t offset) {
        return _mm_load_si128(
            reinterpret_cast<const __m128i*>(reinterpret_cast<const char*>(products) + offset));
    };
    const __m128i offsets = _mm_slli_epi32(a, 4);
    // The four offsets by two moves to general registers, 32 bits each.
    const uint64_t first = static_cast<uint64_t>(_mm_cvtsi128_si64(offsets));
    const uint64_t second =
        static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(offsets, offsets)));
    const __m128i e0 = entry(static_cast<uint32_t>(first));
    const __m128i e1 = entry(first >> 32);
    const __m128i e2 = entry(static_cast<uint32_t>(second));
    const __m128i e3 = entry(second >> 32);
    const __m128i low =
        _mm_srli_epi16(_mm_add_epi16(_mm_unpacklo_epi64(e0, e1),
                                     _mm_mullo_epi16(_mm_unpacklo_epi8(targetPixels, zero),
                                                     _mm_unpackhi_epi64(e0, e1))),
                       8);
    const __m128i high =
        _mm_srli_epi16(_mm_add_epi16(_mm_unpacklo_epi64(e2, e3),
                                     _mm_mullo_epi16(_mm_unpackhi_epi8(targetPixels, zero),
                                                     _mm_unpackhi_epi64(e2, e3))),
                       8);
    // The pixels left alone are written back as they were: every pixel of the group lies in
    // the sprite's row inside the frame buffer, which no other worker touches meanwhile.
    const __m128i blended = _mm_packus_epi16(low, high);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target),
                     Sse2Blend::Select(skip, targetPixels, blended));
}

// Groups of four from the first pixel on; a group that would pass the reach (at least 4)
// is moved back to end there, its lanes before p (blended by the previous group) left
// alone. Lanes past the end are transparent sprite pixels.
EMBRA_INLINE void CFlameBlender::BlendGroups(uint8_t* target, const uint8_t* sprite, int32_t first,
                                             int32_t end, int32_t reach) const {
    int32_t p = first;
    for (; p < end && p <= reach - 4; p += 4)
        BlendFour<false>(target + kBytesPerPixel * p, sprite + kBytesPerPixel * p, 0);
    if (p < end)
        BlendFour<true>(target + kBytesPerPixel * (reach - 4),
                        sprite + kBytesPerPixel * (reach - 4), p - (reach - 4));
}
#endif

#if defined(__SSE2__)
EMBRA_INLINE void CFlameBlender::BlendGroupRows(uint8_t* target, std::ptrdiff_t targetStride,
                                                const uint8_t* sprite, std::ptrdiff_t spriteStride,
                                                const RowSpan* spans, int32_t rows, int32_t firstU,
                                                int32_t endU) const {
    const int32_t reach = endU - firstU;
    for (int32_t v = 0; v < rows; ++v, target += targetStride, sprite += spriteStride) {
        const int32_t first = std::max(spans[v].first, firstU) - firstU;
        const int32_t end = std::min(spans[v].end, endU) - firstU;
        // The frame-buffer rows lie a whole screen width apart: the row two below is
        // asked for now, so that it is in the cache when its turn comes.
        if (v + 2 < rows)
            _mm_prefetch(
                reinterpret_cast<const char*>(target + 2 * targetStride + kBytesPerPixel * first),
                _MM_HINT_T0);
        BlendGroups(target, sprite, first, end, reach);
    }
}

namespace {

// 16 bytes from `low` in the low half, 16 from `high` in the high half.
EMBRA_AVX2 EMBRA_INLINE __m256i LoadPair(const uint8_t* low, const uint8_t* high) {
    return _mm256_inserti128_si256(
        _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(low))),
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(high)), 1);
}

} // namespace

// Two groups of four pixels at once, the first in the low half of the registers and the
// second in the high half: the same steps as BlendFour, whose 128-bit unpacks and packs
// work within each half. The fire's sprite rows are a few pixels wide, so two groups fill
// the wide registers where one row's eight pixels would mostly be transparent.
EMBRA_AVX2 EMBRA_INLINE void CFlameBlender::BlendEight(uint8_t* target0, const uint8_t* sprite0,
                                                       uint8_t* target1,
                                                       const uint8_t* sprite1) const {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i spritePixels = LoadPair(sprite0, sprite1);
    const __m256i targetPixels = LoadPair(target0, target1);
    const __m256i s = Avx2Blend::Alphas(spritePixels);
    const __m256i d = Avx2Blend::Alphas(targetPixels);
    const __m256i skip =
        _mm256_or_si256(_mm256_cmpeq_epi32(s, zero), _mm256_cmpeq_epi32(d, _mm256_set1_epi32(255)));
    const __m256i offsets = _mm256_slli_epi32(Avx2Blend::AlphaUnion(s, d), 4);
    const __m128i low = _mm256_castsi256_si128(offsets);
    const __m128i high = _mm256_extracti128_si256(offsets, 1);
    // The eight offsets by four moves to general registers, two offsets each.
    const uint64_t q0 = static_cast<uint64_t>(_mm_cvtsi128_si64(low));
    const uint64_t q1 = static_cast<uint64_t>(_mm_extract_epi64(low, 1));
    const uint64_t q2 = static_cast<uint64_t>(_mm_cvtsi128_si64(high));
    const uint64_t q3 = static_cast<uint64_t>(_mm_extract_epi64(high, 1));
    // Pixel i's entry of the first group in the low half, of the second in the high half.
    const uint8_t* table = reinterpret_cast<const uint8_t*>(products);
    const __m256i e0 =
        LoadPair(table + static_cast<uint32_t>(q0), table + static_cast<uint32_t>(q2));
    const __m256i e1 = LoadPair(table + (q0 >> 32), table + (q2 >> 32));
    const __m256i e2 =
        LoadPair(table + static_cast<uint32_t>(q1), table + static_cast<uint32_t>(q3));
    const __m256i e3 = LoadPair(table + (q1 >> 32), table + (q3 >> 32));
    const __m256i first = _mm256_srli_epi16(
        _mm256_add_epi16(_mm256_unpacklo_epi64(e0, e1),
                         _mm256_mullo_epi16(_mm256_unpacklo_epi8(targetPixels, zero),
                                            _mm256_unpackhi_epi64(e0, e1))),
        8);
    const __m256i second = _mm256_srli_epi16(
        _mm256_add_epi16(_mm256_unpacklo_epi64(e2, e3),
                         _mm256_mullo_epi16(_mm256_unpackhi_epi8(targetPixels, zero),
                                            _mm256_unpackhi_epi64(e2, e3))),
        8);
    const __m256i blended =
        _mm256_blendv_epi8(_mm256_packus_epi16(first, second), targetPixels, skip);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target0), _mm256_castsi256_si128(blended));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target1), _mm256_extracti128_si256(blended, 1));
}

EMBRA_AVX2 void CFlameBlender::BlendGroupRowsAvx2(uint8_t* target, std::ptrdiff_t targetStride,
                                                  const uint8_t* sprite,
                                                  std::ptrdiff_t spriteStride, const RowSpan* spans,
                                                  int32_t rows, int32_t firstU,
                                                  int32_t endU) const {
    BlendGroupRows(target, targetStride, sprite, spriteStride, spans, rows, firstU, endU);
}

// Two groups at a time.
EMBRA_AVX2 void CFlameBlender::BlendGroupListAvx2(uint8_t* target, std::ptrdiff_t shift,
                                                  const uint8_t* sprite, const Group* groups,
                                                  int32_t count) const {
    int32_t i = 0;
    for (; i + 1 < count; i += 2)
        BlendEight(target + (groups[i].target - shift), sprite + groups[i].sprite,
                   target + (groups[i + 1].target - shift), sprite + groups[i + 1].sprite);
    if (i < count)
        BlendFour<false>(target + (groups[i].target - shift), sprite + groups[i].sprite, 0);
}

#endif

void CFlameBlender::BlendSprite(uint8_t* target, std::ptrdiff_t targetStride, const uint8_t* sprite,
                                std::ptrdiff_t spriteStride, const RowSpan* spans, int32_t rows,
                                int32_t firstU, int32_t endU, bool mayBeOpaque) const {
#if defined(__SSE2__)
    if (!mayBeOpaque && endU - firstU >= 4) {
        if (avx2)
            BlendGroupRowsAvx2(target, targetStride, sprite, spriteStride, spans, rows, firstU,
                               endU);
        else
            BlendGroupRows(target, targetStride, sprite, spriteStride, spans, rows, firstU, endU);
        return;
    }
#endif
    for (int32_t v = 0; v < rows; ++v, target += targetStride, sprite += spriteStride) {
        const int32_t first = std::max(spans[v].first, firstU) - firstU;
        const int32_t end = std::min(spans[v].end, endU) - firstU;
        for (int32_t u = first; u < end; ++u)
            BlendPixel(target + kBytesPerPixel * u, sprite + kBytesPerPixel * u);
    }
}

void CFlameBlender::BlendGroupList(uint8_t* target, std::ptrdiff_t shift, const uint8_t* sprite,
                                   const Group* groups, int32_t count) const {
#if defined(__SSE2__)
    if (avx2) {
        BlendGroupListAvx2(target, shift, sprite, groups, count);
        return;
    }
#endif
    for (int32_t i = 0; i < count; ++i) {
        uint8_t* pixels = target + (groups[i].target - shift);
#if defined(__SSE2__)
        BlendFour<false>(pixels, sprite + groups[i].sprite, 0);
#else
        for (int32_t u = 0; u < 4; ++u)
            BlendPixel(pixels + kBytesPerPixel * u, sprite + groups[i].sprite + kBytesPerPixel * u);
#endif
    }
}

void CFlameBlender::BlendRow(uint8_t* target, const uint8_t* sprite, int32_t first, int32_t end,
                             int32_t reach, bool mayBeOpaque) const {
#if defined(__SSE2__)
    if (!mayBeOpaque && reach >= 4) {
        BlendGroups(target, sprite, first, end, reach);
        return;
    }
#else
    (void)reach;
    (void)mayBeOpaque;
#endif
    for (int32_t u = first; u < end; ++u)
        BlendPixel(target + kBytesPerPixel * u, sprite + kBytesPerPixel * u);
}
