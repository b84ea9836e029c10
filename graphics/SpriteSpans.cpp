#include "graphics/SpriteSpans.h"

#include <algorithm>
#include <cstring>

std::vector<CRowSpan> FindRowSpans(const CBmp& frame) {
    std::vector<CRowSpan> spans;
    if (!frame.pixels)
        return spans;
    spans.resize(static_cast<std::size_t>(frame.height));
    for (int32_t v = 0; v < frame.height; ++v) {
        const uint8_t* row = frame.pixels + std::ptrdiff_t{v} * frame.width * kBytesPerPixel;
        CRowSpan& span = spans[static_cast<std::size_t>(v)];
        for (int32_t u = 0; u < frame.width; ++u) {
            if (row[u * kBytesPerPixel + kAlphaByte] == 0)
                continue;
            if (span.first > span.last)
                span.first = u;
            span.last = u;
        }
    }
    return spans;
}

bool PadToEightColumns(const CBmp& frame, CBmp* padded) {
    if (!frame.pixels)
        return false;
    padded->Create((frame.width + 7) & ~7, frame.height);
    if (!padded->pixels)
        return false;
    for (int32_t v = 0; v < frame.height; ++v)
        std::memcpy(padded->pixels + std::ptrdiff_t{v} * padded->width * kBytesPerPixel,
                    frame.pixels + std::ptrdiff_t{v} * frame.width * kBytesPerPixel,
                    std::size_t{kBytesPerPixel} * static_cast<std::size_t>(frame.width));
    return true;
}
