#pragma once

#include <cstdint>

// The blend of a sprite through a colour table (the water's colour ramp): for a
// sprite alpha s over a target alpha d the pixel is left alone when d = 255 or s = 0,
// copied when s = 255, and otherwise takes the alpha a = s + d - s*d/255 and, per colour
// channel of old value v, (T[a]*a + v*(255 - a)) / 256, T being that channel's table.
// T[a]*a + v*(255 - a) never exceeds 255*255, so every sum fits a 16-bit lane.
namespace TableBlend {

// Entry a of the lanes: T[a]*a for blue, green and red in the low three 16-bit lanes and
// a*256 in the top one, which the final shift by 8 turns back into the alpha a.
void FillLanes(const uint8_t* blue, const uint8_t* green, const uint8_t* red, uint64_t lanes[256]);

// One pixel.
void BlendPixel(uint32_t* d, const uint32_t* s, const uint64_t lanes[256]);

// Pixels first .. n - 1 of a row, four per SSE2 step, the rest one by one.
void Sse2Row(uint32_t* d, const uint32_t* s, int32_t first, int32_t n, const uint64_t lanes[256]);

// The leading whole groups of eight of pixels 0 .. n - 1, eight per AVX2 step; returns how
// many it blended, Sse2Row finishing the row. Call only where AVX2 runs.
int32_t Avx2Row(uint32_t* d, const uint32_t* s, int32_t n, const uint64_t lanes[256]);

// The whole row, through the AVX2 steps first when `avx2` is set.
inline void Row(uint32_t* d, const uint32_t* s, int32_t n, const uint64_t lanes[256], bool avx2) {
    const int32_t done = avx2 ? Avx2Row(d, s, n, lanes) : 0;
    if (done < n)
        Sse2Row(d, s, done, n, lanes);
}

} // namespace TableBlend
