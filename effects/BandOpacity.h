#pragma once

#include "graphics/CBmp.h"

// The presented band's opacity: every byte of every pixel, alpha included, becomes
// (h * byte) >> 8 with h = percent * 256 / 100, exactly as CBmp::ScaleAll computes it,
// sixteen bytes per SSE2 step. 100 percent leaves the band as it is.
void ScaleBandOpacity(CBmp& band, int percent);
