#include "effects/water/RiplaDraw.h"

#include "effects/engine/DrawSpanRows.h"
#include "effects/water/RiplaBlend.h"

namespace RiplaDraw {

int64_t Fast(const CDrawTarget& target, const CBmp& frame, const CRowSpan* spans, int32_t left,
             int32_t top) {
    return DrawSpanRows(
        target, frame, spans, left, top, 0,
        [&](uint32_t* d, const uint32_t* s, int32_t n) { RiplaBlend::Row(d, s, n, target.avx2); });
}

} // namespace RiplaDraw
