#pragma once

#include "graphics/CBmp.h"

#include <cstdint>

// The pixel arithmetic of drawing a bitmap onto a window: the bitmap's colours are blended
// with straight (not premultiplied) alpha over a block of pixels read back from the target,
// in the bitmap's pixel format. Every blend divides by 256 with a shift.
namespace StraightBlend {

// Blends source over a target block of the same size, last pixel first. Source alpha 0
// keeps the target pixel, 255 copies the source pixel; otherwise, with a the source alpha,
// alpha := (alpha*(255 - a) + a*a) >> 8 and colour := (target*(255 - a) + source*a) >> 8.
void Over(const CBmp& source, uint8_t* target);

// True when source can be stretched to width x height with borders of borderX columns and
// borderY rows: both the rectangle and the source span at least twice a border plus two.
bool Fits(const CBmp& source, int width, int height, int borderX, int borderY);

// Blends source stretched to the width x height target block: the border rows and columns
// keep their size, the middle is interpolated linearly (weights in 255ths, mixes shifted
// by 8); the target's alpha is not written. False, and nothing written, when it does not
// fit or the scratch block cannot be allocated.
bool Stretched(const CBmp& source, uint8_t* target, int width, int height, int borderX,
               int borderY);
// Stretched without borders, except that a stretched pixel of alpha 0 keeps the target.
bool Scaled(const CBmp& source, uint8_t* target, int width, int height);

} // namespace StraightBlend
