#include "tests/reference/CSetRiplaReference.h"

#include "effects/engine/ScreenSize.h"
#include "effects/water/RiplaDraw.h"
#include "graphics/CBmp.h"
#include "tests/reference/DrawReferenceRows.h"

#include <cstring>

namespace {

// Frame rows fh - 1 down to 0 on rows top + fh - 1 down to top: an opaque target or sprite
// alpha 0 leaves the pixel, 255 copies the sprite pixel, otherwise the ramp's colour at
// the united alpha over the old colour.
int64_t DrawFrame(const CDrawTarget& target, const CBmp& frame, int32_t left, int32_t top,
                  const RiplaDraw::CRamp& ramp) {
    return DrawReferenceRows(target, frame, left, top, 0, [&](uint8_t* d, const uint8_t* s) {
        if (d[3] == 255 || s[3] == 0)
            return;
        if (s[3] == 255) {
            std::memcpy(d, s, 4);
            return;
        }
        const uint32_t a = d[3] == 0 ? s[3] : s[3] + d[3] - s[3] * d[3] / 255;
        const uint32_t keep = 255 - a;
        d[3] = static_cast<uint8_t>(a);
        d[2] = static_cast<uint8_t>((ramp.red[a] * a + d[2] * keep) / 256);
        d[1] = static_cast<uint8_t>((ramp.green[a] * a + d[1] * keep) / 256);
        d[0] = static_cast<uint8_t>((ramp.blue[a] * a + d[0] * keep) / 256);
    });
}

} // namespace

bool CSetRiplaReference::Start() {
    if (!CSetRipla::Start())
        return false;
    return rowLocks.Allocate(screenHeight) || Fail();
}

void CSetRiplaReference::StepAndDraw(int worker, CItem* workerArray) {
    (void)worker;
    if (workerArray)
        StepSplashes(ItemsAs<CItemRipla>(workerArray), AnimatedCount());
}

int64_t CSetRiplaReference::DrawSplash(const CDrawTarget& target, int32_t index, int32_t left,
                                       int32_t top) {
    CDrawTarget locked = target;
    locked.locks = workerCount > 1 ? &rowLocks : nullptr;
    return DrawFrame(locked, frames[index], left, top, {rampRed, rampGreen, rampBlue});
}
