#pragma once

#include "effects/engine/CDrawTarget.h"
#include "graphics/CBmp.h"
#include "graphics/SpriteSpans.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

// The row walk of the fast draw loops: frame rows fh - 1 down to `firstV`, frame row v
// landing on row top + v, on the target's rows and columns only. Each row's span is clipped by
// ClipSpan and handed to blendRow(d, s, n), which blends the n sprite pixels from s onto the n
// frame-buffer pixels from d. Returns the pixels visited.
template <class TBlendRow>
int64_t DrawSpanRows(const CDrawTarget& target, const CBmp& frame, const CRowSpan* spans,
                     int32_t left, int32_t top, int32_t firstV, TBlendRow blendRow) {
    const int32_t fromV = std::max(firstV, target.firstRow - top);
    const int32_t lastV = std::min(frame.height - 1, target.endRow - 1 - top);
    int64_t visited = 0;
    for (int32_t v = lastV; v >= fromV; --v) {
        const CRowSpan clipped =
            ClipSpan(spans[v], left, target.firstColumn, target.endColumn, frame.width);
        if (clipped.first > clipped.last)
            continue;
        const int32_t row = top + v;
        const int32_t n = clipped.last - clipped.first + 1;
        visited += n;
        uint32_t* d = reinterpret_cast<uint32_t*>(target.pixels) +
                      std::ptrdiff_t{row} * target.width + left + clipped.first;
        const uint32_t* s = reinterpret_cast<const uint32_t*>(frame.pixels) +
                            std::ptrdiff_t{v} * frame.width + clipped.first;
        blendRow(d, s, n);
    }
    return visited;
}
