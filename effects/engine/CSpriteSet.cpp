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

// One worker alone takes no locks; the fast paths draw only the presented band.
CDrawTarget CSpriteSet::Target() {
    CDrawTarget target;
    target.pixels = frameBuffer.pixels;
    target.width = frameBuffer.width;
    target.height = frameBuffer.height;
    target.firstRow = BandTop();
    target.endRow = BandTop() + BandRows();
    target.locks = workerCount > 1 ? &rowLocks : nullptr;
    target.avx2 = drawPath == CDrawPath::Avx2 && FastestDrawPath() == CDrawPath::Avx2;
    return target;
}
