#pragma once

#include "effects/engine/CDrawTarget.h"
#include "graphics/CBmp.h"
#include "graphics/SpriteSpans.h"

#include <cstdint>

// The northern lights' ray blend. Frame rows fh - 1 down to 1 land on rows y0 + fh - 2
// down to y0 (the top row is not drawn), columns right to left; pixels beyond the
// screen's edges are not drawn. Sprite alpha 0 leaves a pixel, 255 copies the sprite
// pixel; otherwise the new alpha is the union of both alphas and the colour is the
// shared colour at that alpha, replacing the old one.
namespace GlimraDraw {

// The blend on the band's rows: only each row's span of non-zero alpha, eight pixels per
// AVX2 step when the target asks for it, then four per SSE2 step. Returns the pixels
// visited.
int64_t Fast(const CDrawTarget& target, const CBmp& frame, const CRowSpan* spans, int32_t x0,
             int32_t y0, uint32_t shared);

} // namespace GlimraDraw
