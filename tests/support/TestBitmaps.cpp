#include "support/TestBitmaps.h"

namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

} // namespace

std::vector<uint8_t> MakeBmpBytes(int width, int height, int bitsPerPixel, bool topDown,
                                  const std::function<uint32_t(int, int)>& pixel) {
    const int bytesPerPixel = bitsPerPixel / 8;
    const auto stride = static_cast<uint32_t>((width * bytesPerPixel + 3) / 4 * 4);
    const uint32_t imageSize = stride * static_cast<uint32_t>(height);
    std::vector<uint8_t> out = {'B', 'M'};
    Put(out, 54 + imageSize, 4);
    Put(out, 0, 4);
    Put(out, 54, 4);
    Put(out, 40, 4);
    Put(out, static_cast<uint32_t>(width), 4);
    Put(out, static_cast<uint32_t>(topDown ? -height : height), 4);
    Put(out, 1, 2);
    Put(out, static_cast<uint32_t>(bitsPerPixel), 2);
    Put(out, 0, 4);
    Put(out, imageSize, 4);
    out.insert(out.end(), 16, 0); // resolution and colour counts: unset
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        const std::size_t start = out.size();
        for (int x = 0; x < width; ++x)
            Put(out, pixel(x, y), bytesPerPixel);
        out.resize(start + stride, 0xEE); // padding bytes that must not be read as pixels
    }
    return out;
}

uint64_t BitmapChecksum(const CBmp& bitmap) {
    uint64_t hash = 14695981039346656037ull;
    for (int32_t i = 0; i < bitmap.byteSize; ++i) {
        hash ^= bitmap.pixels[i];
        hash *= 1099511628211ull;
    }
    return hash;
}
