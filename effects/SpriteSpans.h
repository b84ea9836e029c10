#pragma once

#include "graphics/CBmp.h"

#include <cstdint>
#include <vector>

// Columns first .. last of one sprite row enclose every pixel of non-zero alpha in it;
// first > last when the row is fully transparent.
struct CRowSpan {
    int32_t first = 0;
    int32_t last = -1;
};

// The spans of every row of a sprite frame, row 0 first; empty for a frame without
// pixels. Computed once when the frames are built, so the draw loops skip the
// transparent ends of each row without testing them.
std::vector<CRowSpan> FindRowSpans(const CBmp& frame);
