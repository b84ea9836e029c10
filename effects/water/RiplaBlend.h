#pragma once

#include <cstdint>

// The water's blend of a splash over the frame buffer, its colour ramp worked out in the
// blend instead of looked up: at alpha a red 3a/8, green 2a/5 + 90 and blue 255, each
// truncating. For a sprite alpha s over a target alpha d the pixel is left alone when
// d = 255 or s = 0, copied when s = 255, and otherwise takes the alpha
// a = s + d - s*d/255 and, per colour channel of old value v, (ramp(a)*a + v*(255 - a)) / 256.
// The fast steps take the pixels apart into channel planes, one channel of eight (SSE2) or
// sixteen (AVX2) pixels in the 16-bit lanes of a register, so that each step of the sum is
// one instruction for all of them; ramp(a)*a + v*(255 - a) never exceeds 255*255, so it fits
// a lane.
namespace RiplaBlend {

constexpr uint8_t RampRed(uint32_t a) {
    return static_cast<uint8_t>(3 * a / 8);
}
constexpr uint8_t RampGreen(uint32_t a) {
    return static_cast<uint8_t>(2 * a / 5 + 90);
}
constexpr uint8_t RampBlue(uint32_t) {
    return 255;
}

// One pixel.
void BlendPixel(uint32_t* d, const uint32_t* s);

// Whole groups of eight of pixels first .. n - 1, eight per SSE2 step; returns where they end.
int32_t Sse2Row(uint32_t* d, const uint32_t* s, int32_t first, int32_t n);

// The leading whole groups of sixteen of pixels 0 .. n - 1, sixteen per AVX2 step; returns
// how many it blended. Call only where AVX2 runs.
int32_t Avx2Row(uint32_t* d, const uint32_t* s, int32_t n);

// The whole row: through the AVX2 steps first when `avx2` is set, then the SSE2 steps, the
// last few pixels one by one.
inline void Row(uint32_t* d, const uint32_t* s, int32_t n, bool avx2) {
    int32_t done = Sse2Row(d, s, avx2 ? Avx2Row(d, s, n) : 0, n);
    for (; done < n; ++done)
        BlendPixel(d + done, s + done);
}

} // namespace RiplaBlend
