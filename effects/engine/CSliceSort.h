#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

// With several render workers, or a band drawn a column strip at a time: per worker that
// moves items, the placements of its items sorted into the cells they reach (a worker's
// slice of the band's rows by a column strip), in the items' order. The worker that draws a
// cell then reads only the placements in it, not every item of every worker, and draws
// them in the order one worker would.
template <class TPlacement> class CSliceSort {
public:
    // The placements of one cell, in order.
    struct Range {
        const TPlacement* first;
        const TPlacement* last;
        const TPlacement* begin() const { return first; }
        const TPlacement* end() const { return last; }
    };

    // `slices` workers, each with its slice, and column strips of `stripColumns` across
    // `width` columns; every cell holds room for `perWorker` items, the most a worker adds
    // in a frame, so that sorting never allocates. False when out of memory.
    bool Reset(int32_t slices, int32_t width, int32_t stripColumns, int32_t perWorker) {
        sliceCount = std::max(1, slices);
        columns = std::max(1, stripColumns);
        bandWidth = std::max(0, width);
        strips = std::max(1, (bandWidth + columns - 1) / columns);
        try {
            cells.assign(static_cast<std::size_t>(sliceCount) * sliceCount * strips, {});
            for (CellList& cell : cells)
                cell.placements.resize(static_cast<std::size_t>(std::max(0, perWorker)));
            bounds.assign(static_cast<std::size_t>(sliceCount) * (sliceCount + 1), 0);
        } catch (const std::bad_alloc&) {
            Clear();
            return false;
        }
        return true;
    }
    void Clear() {
        cells.clear();
        bounds.clear();
    }

    // Starts worker `mover`'s sort of this frame: empties its lists and notes the slices'
    // rows, sliceRows(k, &firstRow, &endRow) giving slice k's.
    template <class TSliceRows> void Begin(int32_t mover, TSliceRows sliceRows) {
        int32_t* rows = MoverBounds(mover);
        for (int32_t k = 0; k < sliceCount; ++k)
            sliceRows(k, &rows[k], &rows[k + 1]);
        for (int32_t cell = 0; cell < sliceCount * strips; ++cell)
            cells[Index(mover, 0, 0) + static_cast<std::size_t>(cell)].size = 0;
    }
    // Adds a placement that covers the rows [top, bottom) and the columns [left, right) to
    // every cell of worker `mover` that it reaches. Each cell of its columns gets it
    // written and counted only where the rows reach: whether they do is a coin toss for the
    // processor's branch predictor.
    void Add(int32_t mover, const TPlacement& placement, int32_t top, int32_t bottom, int32_t left,
             int32_t right) {
        left = std::max(0, left);
        right = std::min(bandWidth, right);
        if (left >= right)
            return;
        const int32_t* rows = MoverBounds(mover);
        const int32_t firstStrip = strips > 1 ? left / columns : 0; // no division for one
        const int32_t lastStrip = strips > 1 ? (right - 1) / columns : 0;
        for (int32_t k = 0; k < sliceCount; ++k) {
            const int32_t reaches =
                static_cast<int32_t>(top < rows[k + 1]) & static_cast<int32_t>(bottom > rows[k]);
            for (int32_t strip = firstStrip; strip <= lastStrip; ++strip) {
                CellList& cell = cells[Index(mover, k, strip)];
                if (static_cast<std::size_t>(cell.size) == cell.placements.size())
                    continue; // more than perWorker this frame
                cell.placements[static_cast<std::size_t>(cell.size)] = placement;
                cell.size += reaches;
            }
        }
    }
    // The placements of worker `mover`'s items in the cell of slice `slice` and strip
    // `strip`, the one that begins at column strip * stripColumns.
    Range Cell(int32_t mover, int32_t slice, int32_t strip) const {
        const CellList& cell = cells[Index(mover, slice, strip)];
        return {cell.placements.data(), cell.placements.data() + cell.size};
    }

private:
    std::size_t Index(int32_t mover, int32_t slice, int32_t strip) const {
        return (static_cast<std::size_t>(mover) * sliceCount + slice) * strips + strip;
    }
    int32_t* MoverBounds(int32_t mover) {
        return &bounds[static_cast<std::size_t>(mover) * (sliceCount + 1)];
    }
    const int32_t* MoverBounds(int32_t mover) const {
        return &bounds[static_cast<std::size_t>(mover) * (sliceCount + 1)];
    }

    int32_t sliceCount = 1;
    int32_t columns = 1;
    int32_t bandWidth = 0;
    int32_t strips = 1;
    // A cell on a cache line of its own: the workers add to theirs at the same time.
    struct alignas(64) CellList {
        std::vector<TPlacement> placements;
        int32_t size = 0;
    };
    std::vector<CellList> cells; // per mover, slice and strip
    std::vector<int32_t> bounds; // per mover: the slices' first rows, then the last's end
};
