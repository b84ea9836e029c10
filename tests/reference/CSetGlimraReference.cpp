#include "tests/reference/CSetGlimraReference.h"

#include "effects/engine/ScreenSize.h"
#include "graphics/CBmp.h"
#include "tests/reference/DrawReferenceRows.h"

#include <cstring>

namespace {

// Frame rows fh - 1 down to 1 on rows y0 + fh - 2 down to y0: sprite alpha 0 leaves the
// pixel, 255 copies the sprite pixel, otherwise the shared colour at the united alpha.
int64_t DrawFrame(const CReferenceTarget& target, const CBmp& frame, int32_t x0, int32_t y0,
                  uint32_t shared) {
    const uint32_t red = (shared >> 16) & 0xFF;
    const uint32_t green = (shared >> 8) & 0xFF;
    const uint32_t blue = shared & 0xFF;
    return DrawReferenceRows(target, frame, x0, y0 - 1, 1, [&](uint8_t* d, const uint8_t* s) {
        if (s[3] == 0)
            return;
        if (s[3] == 255) {
            std::memcpy(d, s, 4);
            return;
        }
        const uint32_t alpha = d[3] == 0 ? s[3] : s[3] + d[3] - s[3] * d[3] / 255;
        d[3] = static_cast<uint8_t>(alpha);
        d[2] = static_cast<uint8_t>(alpha * red / 255);
        d[1] = static_cast<uint8_t>(alpha * green / 255);
        d[0] = static_cast<uint8_t>(alpha * blue / 255);
    });
}

} // namespace

bool CSetGlimraReference::Start() {
    if (!CSetGlimra::Start())
        return false;
    return rowLocks.Allocate(screenHeight) || Fail();
}

void CSetGlimraReference::StepAndDraw(int worker, CItem* workerArray) {
    (void)worker;
    if (workerArray)
        StepRays(ItemsAs<CItemGlimra>(workerArray), AnimatedCount());
}

int64_t CSetGlimraReference::DrawRay(const CDrawTarget& target, int32_t frame, int32_t x, int32_t y,
                                     uint32_t shared) {
    return DrawFrame({target, workerCount > 1 ? &rowLocks : nullptr}, frames[frame], x, y, shared);
}
