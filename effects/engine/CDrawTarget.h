#pragma once

#include <cstdint>

// Which draw loops a set runs. Sse2 clips each sprite row to its span and to the
// presented band and blends four pixels at a time; Avx2 does the same eight at a time and
// needs a processor that has it. Both present the same bytes.
enum class CDrawPath { Sse2, Avx2 };

// The fastest path this processor runs.
CDrawPath FastestDrawPath();

// The frame buffer as the draw loops see it during one frame.
struct CDrawTarget {
    uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t firstRow = 0;    // the rows of the band this worker draws: firstRow .. endRow - 1
    int32_t endRow = 0;      // (the fast path draws only these)
    int32_t firstColumn = 0; // and the columns firstColumn .. endColumn - 1 of them
    int32_t endColumn = 0;
    bool avx2 = false; // rows go through the AVX2 loops first
};
