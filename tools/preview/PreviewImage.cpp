#include "PreviewImage.h"

#include "graphics/CBmp.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// The PNG's pixels: straight red, green, blue and alpha, one byte each.
constexpr int kPngChannels = 4;

// A premultiplied channel c of alpha a back to straight colour: c * 255 / a, rounded.
uint8_t Unpremultiply(uint32_t c, uint32_t a) {
    const uint32_t straight = (c * 255 + a / 2) / a;
    return static_cast<uint8_t>(straight > 255 ? 255 : straight);
}

} // namespace

bool WritePreviewPng(const CBmp& bitmap, const std::string& path) {
    if (!bitmap.pixels)
        return false;
    const std::size_t count = static_cast<std::size_t>(bitmap.width) * bitmap.height;
    std::vector<uint8_t> rgba(count * kPngChannels, 0);
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t* bgra = bitmap.pixels + i * kBytesPerPixel;
        const uint32_t a = bgra[kAlphaByte];
        if (a == 0)
            continue;
        uint8_t* out = &rgba[i * kPngChannels];
        out[0] = Unpremultiply(bgra[2], a);
        out[1] = Unpremultiply(bgra[1], a);
        out[2] = Unpremultiply(bgra[0], a);
        out[3] = static_cast<uint8_t>(a);
    }
    return stbi_write_png(path.c_str(), bitmap.width, bitmap.height, kPngChannels, rgba.data(),
                          bitmap.width * kPngChannels) != 0;
}

bool WritePreviewRaw(const CBmp& bitmap, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const std::size_t size = static_cast<std::size_t>(bitmap.byteSize);
    const bool written = size == 0 || std::fwrite(bitmap.pixels, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}
