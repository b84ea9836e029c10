// The SSE2 and AVX2 forms of the blend primitives against the scalar arithmetic, over
// every input the blend loops can give them.

#include "graphics/Avx2Blend.h"
#include "graphics/PixelMath.h"
#include "graphics/Sse2Blend.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr uint32_t kMaxProduct = 255 * 255; // the largest product of two bytes

// The 16-bit lanes of one register: x, and the products or sums the loops feed in.
struct Lanes16 {
    std::vector<uint16_t> x;
    std::vector<uint16_t> y;
};

// Every x 0 .. 65025 against a y that walks the same range at another pace, in whole
// registers of 16 lanes.
Lanes16 ProductLanes() {
    Lanes16 lanes;
    for (uint32_t x = 0; x <= kMaxProduct || lanes.x.size() % 16 != 0; ++x) {
        const uint32_t clamped = x <= kMaxProduct ? x : kMaxProduct;
        lanes.x.push_back(static_cast<uint16_t>(clamped));
        lanes.y.push_back(static_cast<uint16_t>((clamped * 40503u + 7u) % (kMaxProduct + 1)));
    }
    return lanes;
}

// Every pair of bytes (s, d), one pair per 32-bit lane, in whole registers of 8 lanes.
void BytePairs(std::vector<uint32_t>* s, std::vector<uint32_t>* d) {
    for (uint32_t i = 0; i < 256 * 256; ++i) {
        s->push_back(i >> 8);
        d->push_back(i & 0xFF);
    }
}

TEST(SimdBlend, Sse2PrimitivesMatchTheScalarArithmetic) {
    const Lanes16 lanes = ProductLanes();
    for (std::size_t i = 0; i < lanes.x.size(); i += 8) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&lanes.x[i]));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&lanes.y[i]));
        uint16_t quotient[8];
        uint16_t sum[8];
        _mm_storeu_si128(reinterpret_cast<__m128i*>(quotient), Sse2Blend::Div255U16(x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(sum), Sse2Blend::SumDiv256(x, y));
        for (std::size_t k = 0; k < 8; ++k) {
            ASSERT_EQ(lanes.x[i + k] / 255u, quotient[k]) << lanes.x[i + k];
            ASSERT_EQ((lanes.x[i + k] + lanes.y[i + k]) / 256u, sum[k])
                << lanes.x[i + k] << " + " << lanes.y[i + k];
        }
    }
    std::vector<uint32_t> s, d;
    BytePairs(&s, &d);
    for (std::size_t i = 0; i < s.size(); i += 4) {
        // The alphas arrive in the top byte of each pixel.
        uint32_t sprite[4], target[4], united[4];
        for (std::size_t k = 0; k < 4; ++k) {
            sprite[k] = s[i + k] << 24 | 0x00ABCDEF;
            target[k] = d[i + k] << 24 | 0x00123456;
        }
        const __m128i sa = Sse2Blend::Alphas(_mm_loadu_si128(reinterpret_cast<__m128i*>(sprite)));
        const __m128i da = Sse2Blend::Alphas(_mm_loadu_si128(reinterpret_cast<__m128i*>(target)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(united), Sse2Blend::AlphaUnion(sa, da));
        for (std::size_t k = 0; k < 4; ++k)
            ASSERT_EQ(PixelMath::AlphaUnion(s[i + k], d[i + k]), united[k])
                << s[i + k] << " over " << d[i + k];
    }
}

// The AVX2 forms, each run over whole arrays inside one AVX2 function.
EMBRA_AVX2 void Avx2Lanes16(const Lanes16& lanes, std::vector<uint16_t>* quotient,
                            std::vector<uint16_t>* sum) {
    for (std::size_t i = 0; i < lanes.x.size(); i += 16) {
        const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(&lanes.x[i]));
        const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(&lanes.y[i]));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(&(*quotient)[i]), Avx2Blend::Div255U16(x));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(&(*sum)[i]), Avx2Blend::SumDiv256(x, y));
    }
}

EMBRA_AVX2 void Avx2AlphaUnion(const std::vector<uint32_t>& sprite,
                               const std::vector<uint32_t>& target, std::vector<uint32_t>* united) {
    for (std::size_t i = 0; i < sprite.size(); i += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(&sprite[i]));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(&target[i]));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(&(*united)[i]),
                            Avx2Blend::AlphaUnion(Avx2Blend::Alphas(s), Avx2Blend::Alphas(d)));
    }
}

TEST(SimdBlend, Avx2PrimitivesMatchTheScalarArithmetic) {
    if (!Avx2Blend::Avx2Available())
        GTEST_SKIP() << "this processor has no AVX2";
    const Lanes16 lanes = ProductLanes();
    std::vector<uint16_t> quotient(lanes.x.size());
    std::vector<uint16_t> sum(lanes.x.size());
    Avx2Lanes16(lanes, &quotient, &sum);
    for (std::size_t i = 0; i < lanes.x.size(); ++i) {
        ASSERT_EQ(lanes.x[i] / 255u, quotient[i]) << lanes.x[i];
        ASSERT_EQ((lanes.x[i] + lanes.y[i]) / 256u, sum[i]) << lanes.x[i] << " + " << lanes.y[i];
    }
    std::vector<uint32_t> s, d;
    BytePairs(&s, &d);
    std::vector<uint32_t> sprite, target;
    for (std::size_t i = 0; i < s.size(); ++i) {
        sprite.push_back(s[i] << 24 | 0x00ABCDEF);
        target.push_back(d[i] << 24 | 0x00123456);
    }
    std::vector<uint32_t> united(s.size());
    Avx2AlphaUnion(sprite, target, &united);
    for (std::size_t i = 0; i < s.size(); ++i)
        ASSERT_EQ(PixelMath::AlphaUnion(s[i], d[i]), united[i]) << s[i] << " over " << d[i];
}

} // namespace
