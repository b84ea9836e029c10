#pragma once

#include "effects/engine/CDrawTarget.h"
#include "effects/water/CSetRipla.h"
#include "effects/water/RiplaDraw.h"
#include "tests/reference/CRowLocks.h"

#include <cstdint>

// The water drawn by the plain scalar loop: every pixel of a splash's frame, one at a
// time, on every row of the screen, the colour looked up in the ramp itself. The
// yardstick that the fast loops of CSetRipla must match byte for byte on the presented
// band and that the benchmarks compare them against; never the shipped renderer.
class CSetRiplaReference : public CSetRipla {
public:
    using CSetRipla::CSetRipla;

    // One pixel (frame-buffer and sprite bytes: blue, green, red, alpha): an opaque target or
    // sprite alpha 0 leaves the pixel, 255 copies the sprite pixel, otherwise the ramp's
    // colour at the united alpha over the old colour.
    static void BlendPixel(uint8_t* d, const uint8_t* s, const RiplaDraw::CRamp& ramp);

    // The shipped Start, then one lock per stripe of rows for several workers.
    bool Start() override;

protected:
    // Every worker steps and draws its own items over the whole screen, a stripe of rows
    // under its lock.
    // Whole rows at any width: the frame clears and scales them around StepAndDraw.
    bool DrawsByStrips() const override { return false; }
    void StepAndDraw(int worker, CItem* workerArray) override;
    int64_t DrawSplash(const CDrawTarget& target, int32_t index, int32_t left,
                       int32_t top) override;

private:
    CRowLocks rowLocks;
};
