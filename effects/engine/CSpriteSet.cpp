#include "effects/engine/CSpriteSet.h"

void CSpriteSet::ReleaseSprites() {
    ReleaseFrame();
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
    target.endColumn = frameBuffer.width;
    target.avx2 = drawPath == CDrawPath::Avx2 && FastestDrawPath() == CDrawPath::Avx2;
    return target;
}

CDrawTarget CSpriteSet::Target(const CellArea& area) const {
    CDrawTarget target = Target(area.firstRow, area.endRow);
    target.firstColumn = area.firstColumn;
    target.endColumn = area.endColumn;
    return target;
}

CDrawTarget CSpriteSet::Target() const {
    return Target(BandTop(), BandTop() + BandRows());
}
