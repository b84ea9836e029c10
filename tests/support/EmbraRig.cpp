#include "support/EmbraRig.h"

uint64_t Checksum(const CBmp& bitmap) {
    uint64_t hash = 14695981039346656037ull;
    for (int32_t i = 0; i < bitmap.byteSize; ++i) {
        hash ^= bitmap.pixels[i];
        hash *= 1099511628211ull;
    }
    return hash;
}
