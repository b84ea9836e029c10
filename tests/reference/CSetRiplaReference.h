#pragma once

#include "effects/engine/CDrawTarget.h"
#include "effects/water/CSetRipla.h"

#include <cstdint>

// The water drawn by the plain scalar loop: every pixel of a splash's frame, one at a
// time, on every row of the screen, the colour looked up in the ramp itself. The
// yardstick that the fast loops of CSetRipla must match byte for byte on the presented
// band and that the benchmarks compare them against; never the shipped renderer.
class CSetRiplaReference : public CSetRipla {
public:
    using CSetRipla::CSetRipla;

protected:
    int64_t DrawSplash(const CDrawTarget& target, int32_t index, int32_t left,
                       int32_t top) override;
};
