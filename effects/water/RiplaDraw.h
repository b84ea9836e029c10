#pragma once

#include "effects/engine/CDrawTarget.h"
#include "graphics/CBmp.h"
#include "graphics/SpriteSpans.h"

#include <cstdint>

// The water's splash blend. Frame rows fh - 1 down to 0 land on rows top + fh - 1 down
// to top, columns right to left; pixels beyond the screen's edges are not drawn. An
// opaque target or a sprite alpha of 0 leaves the pixel, sprite alpha 255 copies the
// sprite pixel; otherwise the alphas unite to a and each colour channel v becomes
// (ramp[a] * a + v * (255 - a)) / 256.
namespace RiplaDraw {

// The colour ramp: red, green and blue, indexed by the new alpha.
struct CRamp {
    const uint8_t* red;
    const uint8_t* green;
    const uint8_t* blue;
};

// The blend on the band's rows (RiplaBlend): only each row's span of non-zero alpha,
// sixteen pixels per AVX2 step when the target asks for it, then eight per SSE2 step.
// Returns the pixels visited.
int64_t Fast(const CDrawTarget& target, const CBmp& frame, const CRowSpan* spans, int32_t left,
             int32_t top);

} // namespace RiplaDraw
