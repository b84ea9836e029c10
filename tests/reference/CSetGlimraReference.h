#pragma once

#include "effects/engine/CDrawTarget.h"
#include "effects/lights/CSetGlimra.h"
#include "tests/reference/CRowLocks.h"

#include <cstdint>

// The northern lights drawn by the plain scalar loop: every pixel of a ray's frame, one at
// a time, on every row of the screen. The yardstick that the fast loops of CSetGlimra
// must match byte for byte on the presented band and that the benchmarks compare them
// against; never the shipped renderer.
class CSetGlimraReference : public CSetGlimra {
public:
    using CSetGlimra::CSetGlimra;

    // The shipped Start, then one lock per stripe of rows for several workers.
    bool Start() override;

protected:
    // Every worker steps and draws its own items over the whole screen, a stripe of rows
    // under its lock.
    // Whole rows at any width: the frame clears and scales them around StepAndDraw.
    bool DrawsByStrips() const override { return false; }
    void StepAndDraw(int worker, CItem* workerArray) override;
    int64_t DrawRay(const CDrawTarget& target, int32_t frame, int32_t x, int32_t y,
                    uint32_t shared) override;

private:
    CRowLocks rowLocks;
};
