#include "effects/BandOpacity.h"

#include "graphics/PixelMath.h"

#include <emmintrin.h>

void ScaleBandOpacity(CBmp& band, int percent) {
    const uint32_t factor = PixelMath::OpacityFactor(percent);
    if (!band.pixels || factor == 256)
        return;
    const __m128i zero = _mm_setzero_si128();
    // h <= 255 here, so h * byte fits a 16-bit lane.
    const __m128i h = _mm_set1_epi16(static_cast<int16_t>(factor));
    uint8_t* bytes = band.pixels;
    const int32_t count = band.byteSize;
    int32_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        const __m128i low = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(in, zero), h), 8);
        const __m128i high = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(in, zero), h), 8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + i), _mm_packus_epi16(low, high));
    }
    for (; i < count; ++i)
        bytes[i] = PixelMath::ScaleByFactor(factor, bytes[i]);
}
