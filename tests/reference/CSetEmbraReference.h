#pragma once

#include "effects/fire/CSetEmbra.h"
#include "tests/reference/CRowLocks.h"

#include <cstdint>

class CBmp;

// The fire's frame steps as plain scalar loops, one sprite pixel and one byte at a time,
// over the whole frame buffer: the yardstick that the fast renderer of CSetEmbra must
// match byte for byte on the presented band and that the benchmarks compare it against.
// It is never the shipped renderer.
class CSetEmbraReference : public CSetEmbra {
public:
    using CSetEmbra::CSetEmbra;

    // The shipped Start, then one lock per stripe of rows for several workers.
    bool Start() override;

    // Steps the first `count` flames of an array and draws them pixel by pixel; returns
    // the number of sprite pixels that lay inside the frame buffer.
    int64_t StepFlames(CItemEmbra* flames, int32_t count);
    // Draws the flame's sprite frame into the whole frame buffer, from the last row to the
    // first and right to left, clipped at the buffer's four edges; with several workers
    // under the row locks.
    int64_t DrawFlame(const CItemEmbra& flame);
    // One sprite pixel over one frame-buffer pixel (both blue, green, red, alpha).
    static void BlendPixel(uint8_t* target, const uint8_t* sprite, const ColourTable& table);
    // Every byte of the bitmap becomes byte * k / 256 with k = percent * 256 / 100.
    static void ScaleBytes(CBmp& bitmap, int percent);

protected:
    void StepAndDraw(int worker, CItem* itemArray) override;
    void ApplyOpacity(CBmp& band) override;
    // Whole rows at any width: the frame clears and scales them around StepAndDraw.
    bool DrawsByStrips() const override { return false; }

private:
    CRowLocks rowLocks; // each worker steps and draws its own flames, a stripe under its lock
};
