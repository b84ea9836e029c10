#include "graphics/CBmp.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Any bytes given to the BMP decoder: it either yields an empty bitmap or a whole one whose
// every pixel can be read, and never reads outside the bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CBmp bitmap;
    bitmap.LoadBmpBytes(data, size);
    if (!bitmap.pixels) {
        if (bitmap.width != 0 || bitmap.height != 0 || bitmap.byteSize != 0)
            std::abort();
        return 0;
    }
    if (bitmap.width <= 0 || bitmap.height <= 0 ||
        int64_t{bitmap.byteSize} != int64_t{bitmap.width} * bitmap.height * 4)
        std::abort();
    // Without an alpha byte anywhere the picture is opaque.
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x)
            if (!bitmap.hasAlpha && (bitmap.Pixel(x, y) >> 24) != 255)
                std::abort();
    return 0;
}
