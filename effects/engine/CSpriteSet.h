#pragma once

#include "effects/engine/CDrawTarget.h"
#include "effects/engine/CFrameSet.h"
#include "effects/engine/ScreenSize.h"
#include "graphics/CBmp.h"
#include "graphics/SpriteSpans.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// A frame set whose items each show one of a sequence of sprite frames, drawn through the
// frames' row spans by the fast loops; with several workers or strips, each moves its own
// items and then draws every worker's items on its own slice of the band
// (MoveThenDrawSorted).
class CSpriteSet : public CFrameSet {
public:
    using CFrameSet::CFrameSet;

    int32_t frameCount = 0;
    std::unique_ptr<CBmp[]> frames;           // the sprite frames
    std::vector<std::vector<CRowSpan>> spans; // per frame, each row's span of visible pixels
    CDrawPath drawPath = FastestDrawPath();   // the fast loops that draw the items

protected:
    // The sprite sets draw by strips from three on: at 3840 columns splitting the rows costs
    // the lights and the water 5-8 % more than whole rows, at 5760 it saves 8-15 %.
    static constexpr int32_t kFewestStrips = 3;

    // Stop: frees the frame buffer, the frames and the items.
    void ReleaseSprites();
    // Start: W * perScreen / 1600 / workers items (each division rounded down) of type TItem for
    // every worker. A screen too narrow for one item per worker keeps one item per worker that is
    // never spawned, stepped or drawn: no item array has length 0. False when an allocation fails.
    template <class TItem> bool AllocateSpriteItems(int32_t perScreen);
    // Calls visit(item) for every item of every worker, worker 0's first.
    template <class TItem, class TVisit> void ForEachItem(TVisit visit);
    // The frame buffer as the draw loops see it this frame: the rows [firstRow, endRow) of
    // the band; without them, the whole band.
    CDrawTarget Target(int32_t firstRow, int32_t endRow) const;
    // The same on one cell's rows and columns only.
    CDrawTarget Target(const CellArea& area) const;
    CDrawTarget Target() const;
};

template <class TItem> bool CSpriteSet::AllocateSpriteItems(int32_t perScreen) {
    const int64_t perWorker = int64_t{screenWidth} * perScreen / 1600 / workerCount;
    if (!AllocateItems<TItem>(std::max<int32_t>(1, static_cast<int32_t>(perWorker))))
        return false;
    itemsPerWorker = static_cast<int32_t>(perWorker);
    return true;
}

template <class TItem, class TVisit> void CSpriteSet::ForEachItem(TVisit visit) {
    for (int32_t worker = 0; worker < workerCount; ++worker) {
        TItem* items = ItemsAs<TItem>(workerItems[static_cast<std::size_t>(worker)]);
        for (int32_t k = 0; k < itemsPerWorker; ++k)
            visit(items[k]);
    }
}
