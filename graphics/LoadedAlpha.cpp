#include "graphics/LoadedAlpha.h"

#include "graphics/CBmp.h"

void SettleLoadedAlpha(CBmp& bitmap) {
    if (bitmap.pixels == nullptr)
        return;
    for (int32_t offset = 3; offset < bitmap.byteSize; offset += 4) {
        if (bitmap.pixels[offset] != 0) {
            bitmap.hasAlpha = 1;
            return;
        }
    }
    for (int32_t offset = 3; offset < bitmap.byteSize; offset += 4)
        bitmap.pixels[offset] = 255;
}
