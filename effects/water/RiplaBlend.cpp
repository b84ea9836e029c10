#include "effects/water/RiplaBlend.h"

#include "graphics/Avx2Blend.h"
#include "graphics/PixelMath.h"
#include "graphics/Sse2Blend.h"

#include <cstring>

namespace RiplaBlend {

void BlendPixel(uint32_t* d, const uint32_t* s) {
    uint32_t sprite, target;
    std::memcpy(&sprite, s, 4);
    std::memcpy(&target, d, 4);
    const uint32_t sa = sprite >> 24;
    const uint32_t da = target >> 24;
    if (da == 255 || sa == 0)
        return;
    if (sa != 255) {
        const uint32_t a = PixelMath::AlphaUnion(sa, da);
        const uint32_t keep = 255 - a;
        const uint32_t ramp[3] = {RampBlue(a), RampGreen(a), RampRed(a)};
        sprite = a << 24;
        for (int channel = 0; channel < 3; ++channel) {
            const uint32_t old = (target >> (8 * channel)) & 0xFF;
            sprite |= ((ramp[channel] * a + old * keep) >> 8) << (8 * channel);
        }
    }
    std::memcpy(d, &sprite, 4);
}

namespace {

// The ramp in 16-bit fixed point: 3a/8 and 2a/5 (rounded up, which truncates to the same
// whole numbers for every byte a) as the high half of a * step.
constexpr short kRedStep = 24576;
constexpr short kGreenStep = 26215;
constexpr short kGreenBase = 90;

// Planes of eight pixels held in two registers, one 16-bit lane per pixel: blue | green << 8,
// red | alpha << 8, and the alpha alone.
inline __m128i LowHalves(__m128i first, __m128i second) {
    return _mm_packs_epi32(_mm_srai_epi32(_mm_slli_epi32(first, 16), 16),
                           _mm_srai_epi32(_mm_slli_epi32(second, 16), 16));
}
inline __m128i HighHalves(__m128i first, __m128i second) {
    return _mm_packs_epi32(_mm_srai_epi32(first, 16), _mm_srai_epi32(second, 16));
}
inline __m128i AlphaPlane(__m128i first, __m128i second) {
    return _mm_packs_epi32(Sse2Blend::Alphas(first), Sse2Blend::Alphas(second));
}

// One colour plane: share + old * weight, and that over 256 (Channel).
inline __m128i Sum(__m128i share, __m128i old, __m128i weight) {
    return _mm_add_epi16(share, _mm_mullo_epi16(old, weight));
}
inline __m128i Channel(__m128i share, __m128i old, __m128i weight) {
    return _mm_srli_epi16(Sum(share, old, weight), 8);
}

// Eight pixels. Those to be left alone blend at alpha 0 with the old colour's weight 256,
// which gives their colour back; their new alpha is d already (s = 0 or d = 255). Green's
// sum over 256 is wanted in the high byte of its lane, where the sum's high byte is. The
// copies of opaque sprite pixels are made only in groups that have one (the water's splash
// has none).
void Sse2Eight(uint32_t* d, const uint32_t* s) {
    const __m128i byte = _mm_set1_epi16(0xFF);
    const __m128i target0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
    const __m128i target1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + 4));
    const __m128i sprite0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    const __m128i sprite1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 4));
    const __m128i sa = AlphaPlane(sprite0, sprite1);
    const __m128i redAlpha = HighHalves(target0, target1);
    const __m128i da = _mm_srli_epi16(redAlpha, 8);
    const __m128i opaque = _mm_cmpeq_epi16(da, byte);
    const __m128i alone = _mm_or_si128(opaque, _mm_cmpeq_epi16(sa, _mm_setzero_si128()));
    if (_mm_movemask_epi8(alone) == 0xFFFF)
        return;
    const __m128i a =
        _mm_sub_epi16(_mm_add_epi16(sa, da), Sse2Blend::Div255U16(_mm_mullo_epi16(sa, da)));
    const __m128i blend = _mm_andnot_si128(alone, a);
    const __m128i weight = _mm_sub_epi16(_mm_sub_epi16(byte, blend), alone);
    const __m128i blueGreen = LowHalves(target0, target1);
    const __m128i blue = Channel(_mm_sub_epi16(_mm_slli_epi16(blend, 8), blend),
                                 _mm_and_si128(blueGreen, byte), weight);
    const __m128i greenRamp = _mm_add_epi16(_mm_mulhi_epu16(blend, _mm_set1_epi16(kGreenStep)),
                                            _mm_set1_epi16(kGreenBase));
    const __m128i green =
        Sum(_mm_mullo_epi16(greenRamp, blend), _mm_srli_epi16(blueGreen, 8), weight);
    const __m128i redRamp = _mm_mulhi_epu16(blend, _mm_set1_epi16(kRedStep));
    const __m128i red =
        Channel(_mm_mullo_epi16(redRamp, blend), _mm_and_si128(redAlpha, byte), weight);
    const __m128i low = _mm_or_si128(blue, _mm_andnot_si128(byte, green));
    const __m128i high = _mm_or_si128(red, _mm_slli_epi16(a, 8));
    __m128i out0 = _mm_unpacklo_epi16(low, high);
    __m128i out1 = _mm_unpackhi_epi16(low, high);
    const __m128i copy = _mm_andnot_si128(opaque, _mm_cmpeq_epi16(sa, byte));
    if (_mm_movemask_epi8(copy) != 0) {
        out0 = Sse2Blend::Select(_mm_unpacklo_epi16(copy, copy), sprite0, out0);
        out1 = Sse2Blend::Select(_mm_unpackhi_epi16(copy, copy), sprite1, out1);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), out0);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 4), out1);
}

// The same planes of sixteen pixels: the 256-bit packs and unpacks work within each 128-bit
// half, so the unpacks put every pixel back where the packs took it from.
EMBRA_AVX2 inline __m256i LowHalves(__m256i first, __m256i second) {
    return _mm256_packs_epi32(_mm256_srai_epi32(_mm256_slli_epi32(first, 16), 16),
                              _mm256_srai_epi32(_mm256_slli_epi32(second, 16), 16));
}
EMBRA_AVX2 inline __m256i HighHalves(__m256i first, __m256i second) {
    return _mm256_packs_epi32(_mm256_srai_epi32(first, 16), _mm256_srai_epi32(second, 16));
}
EMBRA_AVX2 inline __m256i AlphaPlane(__m256i first, __m256i second) {
    return _mm256_packs_epi32(Avx2Blend::Alphas(first), Avx2Blend::Alphas(second));
}
EMBRA_AVX2 inline __m256i Sum(__m256i share, __m256i old, __m256i weight) {
    return _mm256_add_epi16(share, _mm256_mullo_epi16(old, weight));
}
EMBRA_AVX2 inline __m256i Channel(__m256i share, __m256i old, __m256i weight) {
    return _mm256_srli_epi16(Sum(share, old, weight), 8);
}

// Sixteen pixels, as Sse2Eight.
EMBRA_AVX2 void Avx2Sixteen(uint32_t* d, const uint32_t* s) {
    const __m256i byte = _mm256_set1_epi16(0xFF);
    const __m256i target0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d));
    const __m256i target1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + 8));
    const __m256i sprite0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s));
    const __m256i sprite1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 8));
    const __m256i sa = AlphaPlane(sprite0, sprite1);
    const __m256i redAlpha = HighHalves(target0, target1);
    const __m256i da = _mm256_srli_epi16(redAlpha, 8);
    const __m256i opaque = _mm256_cmpeq_epi16(da, byte);
    const __m256i alone = _mm256_or_si256(opaque, _mm256_cmpeq_epi16(sa, _mm256_setzero_si256()));
    if (_mm256_movemask_epi8(alone) == -1)
        return;
    const __m256i a = _mm256_sub_epi16(_mm256_add_epi16(sa, da),
                                       Avx2Blend::Div255U16(_mm256_mullo_epi16(sa, da)));
    const __m256i blend = _mm256_andnot_si256(alone, a);
    const __m256i weight = _mm256_sub_epi16(_mm256_sub_epi16(byte, blend), alone);
    const __m256i blueGreen = LowHalves(target0, target1);
    const __m256i blue = Channel(_mm256_sub_epi16(_mm256_slli_epi16(blend, 8), blend),
                                 _mm256_and_si256(blueGreen, byte), weight);
    const __m256i greenRamp = _mm256_add_epi16(
        _mm256_mulhi_epu16(blend, _mm256_set1_epi16(kGreenStep)), _mm256_set1_epi16(kGreenBase));
    const __m256i green =
        Sum(_mm256_mullo_epi16(greenRamp, blend), _mm256_srli_epi16(blueGreen, 8), weight);
    const __m256i redRamp = _mm256_mulhi_epu16(blend, _mm256_set1_epi16(kRedStep));
    const __m256i red =
        Channel(_mm256_mullo_epi16(redRamp, blend), _mm256_and_si256(redAlpha, byte), weight);
    const __m256i low = _mm256_or_si256(blue, _mm256_andnot_si256(byte, green));
    const __m256i high = _mm256_or_si256(red, _mm256_slli_epi16(a, 8));
    __m256i out0 = _mm256_unpacklo_epi16(low, high);
    __m256i out1 = _mm256_unpackhi_epi16(low, high);
    const __m256i copy = _mm256_andnot_si256(opaque, _mm256_cmpeq_epi16(sa, byte));
    if (_mm256_movemask_epi8(copy) != 0) {
        out0 = _mm256_blendv_epi8(out0, sprite0, _mm256_unpacklo_epi16(copy, copy));
        out1 = _mm256_blendv_epi8(out1, sprite1, _mm256_unpackhi_epi16(copy, copy));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), out0);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + 8), out1);
}

} // namespace

int32_t Sse2Row(uint32_t* d, const uint32_t* s, int32_t first, int32_t n) {
    int32_t u = first;
    for (; u + 8 <= n; u += 8)
        Sse2Eight(d + u, s + u);
    return u;
}

EMBRA_AVX2 int32_t Avx2Row(uint32_t* d, const uint32_t* s, int32_t n) {
    int32_t u = 0;
    for (; u + 16 <= n; u += 16)
        Avx2Sixteen(d + u, s + u);
    return u;
}

} // namespace RiplaBlend
