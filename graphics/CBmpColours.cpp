#include "graphics/CBmp.h"

#include <algorithm>
#include <cstdint>

namespace {

uint8_t ClampToByte(int64_t value) {
    return static_cast<uint8_t>(std::clamp<int64_t>(value, 0, 255));
}

} // namespace

// 64-bit products, so that no contrast value wraps around before the clamp.
void CBmp::BrightnessContrast(int offset, int contrast) {
    if (!pixels)
        return;
    const int64_t a = static_cast<int16_t>(offset);
    const int64_t factor = int64_t{contrast} + 127;
    uint8_t curve[256];
    for (int64_t x = 0; x < 256; ++x)
        curve[x] = ClampToByte(a + factor * (x - 127) / 127 + 127);
    for (int32_t i = 0; i < byteSize; i += kBytesPerPixel)
        for (int lane = 0; lane < 3; ++lane)
            pixels[i + lane] = curve[pixels[i + lane]];
}

// m = 2*(b + g + r)/3 is twice the grey; x' = (m + factor*(2x - m)/128)/2, each division
// truncating toward zero, then clamped.
void CBmp::Saturation(int factor) {
    if (!pixels)
        return;
    for (int32_t i = 0; i < byteSize; i += kBytesPerPixel) {
        uint8_t* p = pixels + i;
        const int64_t m = 2 * (int64_t{p[0]} + p[1] + p[2]) / 3;
        for (int lane = 0; lane < 3; ++lane)
            p[lane] = ClampToByte((m + factor * (2 * int64_t{p[lane]} - m) / 128) / 2);
    }
}
