#include "tests/reference/CSetRiplaReference.h"

#include "effects/engine/CRowLocks.h"
#include "effects/water/RiplaDraw.h"
#include "graphics/CBmp.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

// Frame rows fh - 1 down to 0 on rows top + fh - 1 down to top, right to left, clipped at
// the screen's four edges; returns the pixels visited.
int64_t DrawFrame(const CDrawTarget& target, const CBmp& frame, int32_t left, int32_t top,
                  const RiplaDraw::CRamp& ramp) {
    const int32_t firstU = std::max(0, -left);
    const int32_t lastU = std::min(frame.width, target.width - left) - 1;
    if (firstU > lastU)
        return 0;
    int64_t visited = 0;
    CRowLocks::CHold hold(target.locks);
    for (int32_t v = frame.height - 1; v >= 0; --v) {
        const int32_t row = top + v;
        if (row < 0 || row >= target.height)
            continue;
        hold.Row(row);
        visited += lastU - firstU + 1;
        const uint8_t* source = frame.pixels + std::ptrdiff_t{v} * frame.width * 4;
        const std::ptrdiff_t rowStart = std::ptrdiff_t{row} * target.width + left;
        for (int32_t u = lastU; u >= firstU; --u) {
            const uint8_t* s = source + u * 4;
            uint8_t* d = target.pixels + (rowStart + u) * 4;
            if (d[3] == 255 || s[3] == 0)
                continue;
            if (s[3] == 255) {
                std::memcpy(d, s, 4);
                continue;
            }
            const uint32_t a = d[3] == 0 ? s[3] : s[3] + d[3] - s[3] * d[3] / 255;
            const uint32_t keep = 255 - a;
            d[3] = static_cast<uint8_t>(a);
            d[2] = static_cast<uint8_t>((ramp.red[a] * a + d[2] * keep) / 256);
            d[1] = static_cast<uint8_t>((ramp.green[a] * a + d[1] * keep) / 256);
            d[0] = static_cast<uint8_t>((ramp.blue[a] * a + d[0] * keep) / 256);
        }
    }
    return visited;
}

} // namespace

int64_t CSetRiplaReference::DrawSplash(const CDrawTarget& target, int32_t index, int32_t left,
                                       int32_t top) {
    return DrawFrame(target, frames[index], left, top, {rampRed, rampGreen, rampBlue});
}
