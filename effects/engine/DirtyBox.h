#pragma once

#include "effects/engine/IDesktop.h"

#include <cstdint>

class CBmp;

// Rectangles of a band in band pixels (right and bottom exclusive). A rectangle without
// area is empty; every empty rectangle means "nothing".

bool BoxEmpty(const DesktopRect& box);
// The smallest rectangle holding every non-zero pixel of `band`; empty when all are zero.
// Whole rows are tested 32 bytes at a time; rows between the first and the last non-zero
// row are read only left and right of the box found so far.
DesktopRect NonZeroBox(const CBmp& band);
// The smallest rectangle holding both; an empty one adds nothing.
DesktopRect UniteBoxes(const DesktopRect& a, const DesktopRect& b);
// `box` inside a width x height bitmap; empty when nothing of it lies inside.
DesktopRect ClipBox(const DesktopRect& box, int32_t width, int32_t height);
