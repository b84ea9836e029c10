#include "graphics/Avx2Blend.h"

namespace Avx2Blend {

bool Avx2Available() {
    // GCC's check includes the operating system's support of the wide registers.
    return __builtin_cpu_supports("avx2");
}

EMBRA_AVX2 int32_t ScaleBytes(uint8_t* bytes, int32_t count, uint32_t factor) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i scale = _mm256_set1_epi16(static_cast<int16_t>(factor));
    int32_t i = 0;
    for (; i + 32 <= count; i += 32) {
        __m256i* block = reinterpret_cast<__m256i*>(bytes + i);
        const __m256i in = _mm256_loadu_si256(block);
        if (_mm256_testz_si256(in, in))
            continue; // zero bytes stay zero
        const __m256i low =
            _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(in, zero), scale), 8);
        const __m256i high =
            _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(in, zero), scale), 8);
        _mm256_storeu_si256(block, _mm256_packus_epi16(low, high));
    }
    return i;
}

} // namespace Avx2Blend
