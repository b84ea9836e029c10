#pragma once

#include "effects/fire/CFlameBlender.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A sprite frame laid out to be blended whole: its rows copied with three transparent
// pixels after each, and the groups of four pixels that cover each row's span from the
// span's first pixel on, row after row, each with its byte offsets in the copy and in a
// target of a given row stride from the frame's first pixel. Consecutive groups never
// share a pixel, so the blender takes them two at a time.
class CFlameGroups {
public:
    // Lays out `height` rows of `width` pixels with their spans for a target whose rows
    // lie `targetStride` bytes apart; false when out of memory.
    bool Build(const uint8_t* pixels, int32_t width, int32_t height,
               const CFlameBlender::RowSpan* spans, std::ptrdiff_t targetStride);

    // The groups of the rows [firstV, endV).
    const CFlameBlender::Group* RowGroups(int32_t firstV, int32_t endV, int32_t* count) const {
        *count = rowStart[endV] - rowStart[firstV];
        return groups.data() + rowStart[firstV];
    }
    const uint8_t* Pixels() const { return reinterpret_cast<const uint8_t*>(padded.data()); }

    // The target columns the groups reach from the frame's left edge: up to three more
    // than the frame's width, where the sprite is transparent.
    int32_t reach = 0;

private:
    std::vector<uint32_t> padded; // rows of width + 3 pixels
    std::vector<CFlameBlender::Group> groups;
    std::vector<int32_t> rowStart; // height + 1 entries: each row's first group
};
