#include "effects/water/RiplaDraw.h"

#include "effects/engine/DrawSpanRows.h"
#include "graphics/TableBlend.h"

namespace RiplaDraw {

void FillRampLanes(const CRamp& ramp, uint64_t lanes[256]) {
    TableBlend::FillLanes(ramp.blue, ramp.green, ramp.red, lanes);
}

int64_t Fast(const CDrawTarget& target, const CBmp& frame, const CRowSpan* spans, int32_t left,
             int32_t top, const uint64_t lanes[256]) {
    return DrawSpanRows(target, frame, spans, left, top, 0,
                        [&](uint32_t* d, const uint32_t* s, int32_t n) {
                            TableBlend::Row(d, s, n, lanes, target.avx2);
                        });
}

} // namespace RiplaDraw
