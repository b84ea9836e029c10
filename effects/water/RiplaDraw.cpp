#include "effects/water/RiplaDraw.h"

#include "graphics/Avx2Rows.h"
#include "graphics/PixelMath.h"
#include "graphics/Sse2Blend.h"

#include <algorithm>
#include <cstring>

namespace RiplaDraw {

int64_t Reference(const CDrawTarget& target, const CBmp& frame, int32_t left, int32_t top,
                  const CRamp& ramp) {
    const int32_t firstU = std::max(0, -left);
    const int32_t lastU = std::min(frame.width, target.width - left) - 1;
    if (firstU > lastU)
        return 0;
    int64_t visited = 0;
    CRowLocks::CHold hold(target.locks);
    for (int32_t v = frame.height - 1; v >= 0; --v) {
        const int32_t row = top + v;
        if (row < 0 || row >= target.height)
            continue;
        hold.Row(row);
        visited += lastU - firstU + 1;
        const uint8_t* source = frame.pixels + std::ptrdiff_t{v} * frame.width * 4;
        const std::ptrdiff_t rowStart = std::ptrdiff_t{row} * target.width + left;
        for (int32_t u = lastU; u >= firstU; --u) {
            const uint8_t* s = source + u * 4;
            uint8_t* d = target.pixels + (rowStart + u) * 4;
            if (d[3] == 255 || s[3] == 0)
                continue;
            if (s[3] == 255) {
                std::memcpy(d, s, 4);
                continue;
            }
            const uint32_t a = d[3] == 0 ? s[3] : s[3] + d[3] - s[3] * d[3] / 255;
            const uint32_t keep = 255 - a;
            d[3] = static_cast<uint8_t>(a);
            d[2] = static_cast<uint8_t>((ramp.red[a] * a + d[2] * keep) / 256);
            d[1] = static_cast<uint8_t>((ramp.green[a] * a + d[1] * keep) / 256);
            d[0] = static_cast<uint8_t>((ramp.blue[a] * a + d[0] * keep) / 256);
        }
    }
    return visited;
}

void FillRampLanes(const CRamp& ramp, uint64_t lanes[256]) {
    for (uint64_t a = 0; a < 256; ++a)
        lanes[a] = ramp.blue[a] * a | (ramp.green[a] * a) << 16 | (ramp.red[a] * a) << 32;
}

namespace {

// One pixel of the blend, for the ends of a span that fill no whole register.
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

// The ramp's share of two pixels, from the new alphas stored in `alphas`.
__m128i Shares(const uint64_t lanes[256], uint32_t first, uint32_t second) {
    return _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(lanes + first)),
                              _mm_loadl_epi64(reinterpret_cast<const __m128i*>(lanes + second)));
}

// floor((x + y) / 256) per 16-bit lane for x, y <= 65025, whose sum exceeds 16 bits:
// halve both first, adding back the carry both low bits make together.
__m128i SumDiv256(__m128i x, __m128i y) {
    const __m128i carry = _mm_and_si128(_mm_and_si128(x, y), _mm_set1_epi16(1));
    const __m128i half =
        _mm_add_epi16(_mm_add_epi16(_mm_srli_epi16(x, 1), _mm_srli_epi16(y, 1)), carry);
    return _mm_srli_epi16(half, 7);
}

void BlendRow(uint32_t* d, const uint32_t* s, int32_t first, int32_t n, const uint64_t lanes[256]) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i opaque = _mm_set1_epi32(255);
    const __m128i colourBytes = _mm_set1_epi32(0x00FFFFFF);
    alignas(16) uint32_t alpha[4];
    int32_t u = first;
    for (; u + 4 <= n; u += 4) {
        const __m128i target = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + u));
        const __m128i sprite = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + u));
        const __m128i sa = Sse2Blend::Alphas(sprite);
        const __m128i da = Sse2Blend::Alphas(target);
        const __m128i a = Sse2Blend::AlphaUnion(sa, da);
        _mm_store_si128(reinterpret_cast<__m128i*>(alpha), a);
        __m128i keepLow, keepHigh;
        Sse2Blend::Spread(_mm_sub_epi32(opaque, a), &keepLow, &keepHigh);
        const __m128i oldLow = _mm_mullo_epi16(_mm_unpacklo_epi8(target, zero), keepLow);
        const __m128i oldHigh = _mm_mullo_epi16(_mm_unpackhi_epi8(target, zero), keepHigh);
        const __m128i low = SumDiv256(Shares(lanes, alpha[0], alpha[1]), oldLow);
        const __m128i high = SumDiv256(Shares(lanes, alpha[2], alpha[3]), oldHigh);
        __m128i out = _mm_or_si128(_mm_and_si128(_mm_packus_epi16(low, high), colourBytes),
                                   _mm_slli_epi32(a, 24));
        out = Sse2Blend::Select(_mm_cmpeq_epi32(sa, opaque), sprite, out);
        const __m128i keep = _mm_or_si128(_mm_cmpeq_epi32(da, opaque), _mm_cmpeq_epi32(sa, zero));
        out = Sse2Blend::Select(keep, target, out);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + u), out);
    }
    for (; u < n; ++u)
        BlendPixel(d + u, s + u, lanes);
}

} // namespace

int64_t Fast(const CDrawTarget& target, const CBmp& frame, const CRowSpan* spans, int32_t left,
             int32_t top, const uint64_t lanes[256]) {
    const int32_t firstV = std::max(0, target.firstRow - top);
    const int32_t lastV = std::min(frame.height - 1, target.endRow - 1 - top);
    int64_t visited = 0;
    CRowLocks::CHold hold(target.locks);
    for (int32_t v = lastV; v >= firstV; --v) {
        const CRowSpan clipped = ClipSpan(spans[v], left, target.width, frame.width);
        const int32_t first = clipped.first;
        const int32_t last = clipped.last;
        if (first > last)
            continue;
        const int32_t row = top + v;
        hold.Row(row);
        visited += last - first + 1;
        uint32_t* d = reinterpret_cast<uint32_t*>(target.pixels) +
                      std::ptrdiff_t{row} * target.width + left + first;
        const uint32_t* s = reinterpret_cast<const uint32_t*>(frame.pixels) +
                            std::ptrdiff_t{v} * frame.width + first;
        const int32_t n = last - first + 1;
        BlendRow(d, s, target.avx2 ? Avx2Rows::RiplaRow(d, s, n, lanes) : 0, n, lanes);
    }
    return visited;
}

} // namespace RiplaDraw
