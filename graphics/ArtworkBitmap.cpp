#include "graphics/ArtworkBitmap.h"

#include "graphics/ArtworkBytes.h"
#include "graphics/CBmp.h"

bool LoadArtworkBitmap(int number, CBmp& bitmap) {
    const uint8_t* data = nullptr;
    std::size_t size = 0;
    if (!FindArtworkBytes(number, &data, &size))
        return false;
    bitmap.LoadBmpBytes(data, size);
    return bitmap.pixels != nullptr;
}
