#include "tests/reference/CSetGlimraReference.h"

#include "effects/engine/CRowLocks.h"
#include "graphics/CBmp.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

// Frame rows fh - 1 down to 1 on rows y0 + fh - 2 down to y0, right to left, clipped at
// the screen's four edges; returns the pixels visited.
int64_t DrawFrame(const CDrawTarget& target, const CBmp& frame, int32_t x0, int32_t y0,
                  uint32_t shared) {
    const uint32_t red = (shared >> 16) & 0xFF;
    const uint32_t green = (shared >> 8) & 0xFF;
    const uint32_t blue = shared & 0xFF;
    const int32_t firstU = std::max(0, -x0);
    const int32_t lastU = std::min(frame.width, target.width - x0) - 1;
    if (firstU > lastU)
        return 0;
    int64_t visited = 0;
    CRowLocks::CHold hold(target.locks);
    for (int32_t v = frame.height - 1; v >= 1; --v) {
        const int32_t row = y0 + v - 1;
        if (row < 0 || row >= target.height)
            continue;
        hold.Row(row);
        visited += lastU - firstU + 1;
        const uint8_t* source = frame.pixels + std::ptrdiff_t{v} * frame.width * 4;
        const std::ptrdiff_t rowStart = std::ptrdiff_t{row} * target.width + x0;
        for (int32_t u = lastU; u >= firstU; --u) {
            const uint8_t* s = source + u * 4;
            uint8_t* d = target.pixels + (rowStart + u) * 4;
            if (s[3] == 0)
                continue;
            if (s[3] == 255) {
                std::memcpy(d, s, 4);
                continue;
            }
            const uint32_t alpha = d[3] == 0 ? s[3] : s[3] + d[3] - s[3] * d[3] / 255;
            d[3] = static_cast<uint8_t>(alpha);
            d[2] = static_cast<uint8_t>(alpha * red / 255);
            d[1] = static_cast<uint8_t>(alpha * green / 255);
            d[0] = static_cast<uint8_t>(alpha * blue / 255);
        }
    }
    return visited;
}

} // namespace

int64_t CSetGlimraReference::DrawRay(const CDrawTarget& target, int32_t frame, int32_t x, int32_t y,
                                     uint32_t shared) {
    return DrawFrame(target, frames[frame], x, y, shared);
}
