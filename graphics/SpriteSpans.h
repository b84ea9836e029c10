#pragma once

#include "graphics/CBmp.h"

#include <algorithm>
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

// A copy of `frame` widened with transparent columns on the right to a multiple of eight
// columns, so that the fast draw loops can round each span out to whole groups of eight
// pixels inside the sprite. False when the allocation fails.
bool PadToEightColumns(const CBmp& frame, CBmp* padded);

// Span `span` of a sprite `spriteWidth` columns wide drawn at column x0 of a screen,
// clipped to its columns [firstColumn, endColumn). Where the groups of eight sprite
// columns around it lie in those columns, the span is widened to them (within the
// sprite): the extra pixels are transparent and leave the screen as it is, and the rows
// need no narrow ends. first > last when nothing is drawn.
// Inline: the draw loops call it for every sprite row.
inline CRowSpan ClipSpan(const CRowSpan& span, int32_t x0, int32_t firstColumn, int32_t endColumn,
                         int32_t spriteWidth) {
    if (span.first > span.last)
        return span;
    CRowSpan wide{span.first & ~7, std::min(span.last | 7, spriteWidth - 1)};
    if (x0 + wide.first >= firstColumn && x0 + wide.last <= endColumn - 1)
        return wide;
    return CRowSpan{std::max(span.first, firstColumn - x0),
                    std::min(span.last, endColumn - 1 - x0)};
}
