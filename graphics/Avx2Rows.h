#pragma once

#include <cstdint>

// The row blends of the northern lights and the water with AVX2, eight pixels per step.
// Each blends the leading whole groups of eight of pixels 0 .. n - 1 and returns how many
// it blended; the caller finishes the row with its SSE2 loop. Call them only when
// Avx2Available() is true.
namespace Avx2Rows {

// True when the processor and the operating system run AVX2 code.
bool Avx2Available();

// The northern lights: the shared colour at the united alpha (see GlimraDraw).
int32_t GlimraRow(uint32_t* d, const uint32_t* s, int32_t n, uint32_t shared);

// The water: the ramp's share from `lanes` (see RiplaDraw::FillRampLanes).
int32_t RiplaRow(uint32_t* d, const uint32_t* s, int32_t n, const uint64_t lanes[256]);

} // namespace Avx2Rows
