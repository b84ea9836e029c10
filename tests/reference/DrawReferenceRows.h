#pragma once

#include "graphics/CBmp.h"
#include "tests/reference/CReferenceTarget.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

// The row walk of the plain reference loops: frame rows fh - 1 down to `firstV`, frame row
// v landing on row top + v, each right to left, clipped at the screen's four edges. Every
// pixel goes through blendPixel(d, s) (frame-buffer and sprite bytes: blue, green, red,
// alpha) under the lock of its row's stripe. Returns the pixels visited.
template <class TBlendPixel>
int64_t DrawReferenceRows(const CReferenceTarget& target, const CBmp& frame, int32_t left,
                          int32_t top, int32_t firstV, TBlendPixel blendPixel) {
    const int32_t firstU = std::max(0, -left);
    const int32_t lastU = std::min(frame.width, target.width - left) - 1;
    if (firstU > lastU)
        return 0;
    int64_t visited = 0;
    CRowLocks::CHold hold(target.locks);
    for (int32_t v = frame.height - 1; v >= firstV; --v) {
        const int32_t row = top + v;
        if (row < 0 || row >= target.height)
            continue;
        hold.Row(row);
        visited += lastU - firstU + 1;
        const uint8_t* source = frame.pixels + std::ptrdiff_t{v} * frame.width * 4;
        const std::ptrdiff_t rowStart = std::ptrdiff_t{row} * target.width + left;
        for (int32_t u = lastU; u >= firstU; --u)
            blendPixel(target.pixels + (rowStart + u) * 4, source + u * 4);
    }
    return visited;
}
