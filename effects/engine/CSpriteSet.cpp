#include "effects/engine/CSpriteSet.h"

bool CSpriteSet::AllocateSpriteFrame() {
    return AllocateFrame() && rowLocks.Allocate(screenHeight);
}

void CSpriteSet::ReleaseSprites() {
    ReleaseFrame();
    rowLocks.Free();
    frames.reset();
    spans.clear();
    frameCount = 0;
    FreeItems();
}

CDrawTarget CSpriteSet::Target(int32_t firstRow, int32_t endRow) const {
    CDrawTarget target;
    target.pixels = frameBuffer.pixels;
    target.width = frameBuffer.width;
    target.height = frameBuffer.height;
    target.firstRow = firstRow;
    target.endRow = endRow;
    target.avx2 = drawPath == CDrawPath::Avx2 && FastestDrawPath() == CDrawPath::Avx2;
    return target;
}

// One worker alone takes no locks.
CDrawTarget CSpriteSet::Target() {
    CDrawTarget target = Target(BandTop(), BandTop() + BandRows());
    target.locks = workerCount > 1 ? &rowLocks : nullptr;
    return target;
}
