#include "tests/reference/CSetRiplaReference.h"

#include "effects/engine/ScreenSize.h"
#include "graphics/CBmp.h"
#include "tests/reference/DrawReferenceRows.h"

#include <cstring>

void CSetRiplaReference::BlendPixel(uint8_t* d, const uint8_t* s, const RiplaDraw::CRamp& ramp) {
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
}

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
    const CReferenceTarget locked{target, workerCount > 1 ? &rowLocks : nullptr};
    const RiplaDraw::CRamp ramp{rampRed, rampGreen, rampBlue};
    return DrawReferenceRows(locked, frames[index], left, top, 0,
                             [&](uint8_t* d, const uint8_t* s) { BlendPixel(d, s, ramp); });
}
