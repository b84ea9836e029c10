#pragma once

#include "effects/engine/CItem.h"
#include "effects/engine/CSet.h"
#include "effects/engine/CSliceSort.h"
#include "effects/engine/IDesktop.h"
#include "graphics/CBmp.h"
#include "params/CEdges.h"
#include "params/CParam.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

class CRenderState;

// The frame protocol shared by every effect set. All render workers call Render with
// their index; each clears its own rows of the presented band, steps and draws its own
// item array into the one frame buffer and scales its rows, and worker 0 additionally
// resets the set's per-frame state first, then starts the frame for the others, and
// presents the band once every worker is done. The hand-offs are waits on the render
// state's condition variables, never polls. The concrete set supplies the set-specific
// steps through the protected hooks and its Start and Stop through AllocateFrame /
// AllocateItems and ReleaseFrame / FreeItems.
class CFrameSet : public CSet {
public:
    // `key` names the set in the store: its parameters live under "Sets\" + key.
    CFrameSet(CSettingsStore* store, CRenderState* renderState, const char* key);
    ~CFrameSet() override;

    bool Load() override;
    bool Save() override;
    tstr Key() override { return *key.Get(); }
    void Render(int worker, const std::atomic<int32_t>* runFlag) override;
    // Main thread: reads the desktop's monitors and taskbars as they are now and places the
    // bands after them (PlaceBands). Nothing unless this set is the active set, started,
    // and rendering places overlays: stopped or stopping, nothing is made or moved.
    void UpdatePlacement() final;

    // The band that worker 0 presents: its first row in the frame buffer and its number
    // of rows (200 on a screen at least 330 rows high).
    int32_t BandTop() const;
    int32_t BandRows() const;
    // Worker `worker`'s slice of the band: its rows [*firstRow, *endRow) of the frame buffer.
    void SliceRows(int worker, int32_t* firstRow, int32_t* endRow) const;

    // Where slice `slice`'s overlay shows its part of the band on the screen; set by the
    // placement, read by worker 0. Without `slice`: the first slice's.
    void SetDestination(int32_t x, int32_t y) { SetDestination(0, x, y); }
    void SetDestination(std::size_t slice, int32_t x, int32_t y);
    int32_t DestinationX(std::size_t slice = 0) const;
    int32_t DestinationY(std::size_t slice = 0) const;
    // The slices of the canvas the last AllocateFrame read, one per monitor (at least one).
    std::size_t SliceCount() const { return sliceCount; }
    const MonitorArea& SliceMonitor(std::size_t slice) const;

    IDesktop* const desktop;
    CRenderState* const renderState;
    CBmp frameBuffer;                // W x H, premultiplied, rows top-down
    std::vector<CItem*> workerItems; // one array of itemsPerWorker items per worker
    int32_t itemsPerWorker = 0;
    int32_t workerCount = 0; // number of done flags and item arrays
    // 1 once a worker finished its part of the frame; cleared by worker 0 to start the
    // next one. Written under the render state's signalLock.
    std::unique_ptr<std::atomic<int32_t>[]> doneFlags;
    // Per worker, the items it moved this frame, which every worker then draws.
    std::unique_ptr<int32_t[]> movedCounts;

    // A band wider than this (several monitors, a screen wider than 1920) may be drawn a
    // column strip of this many pixels at a time: each strip is cleared, drawn and scaled
    // while the processor's cache still holds it. Each set says from how many strips on
    // that pays (PlanSort). Read by Start; 0 draws whole rows.
    int32_t stripColumns = 1920;

    // The parameters every effect has, first in its parameter set.
    CEdges<CParam<int>, int> vis;   // "vis": opacity of the whole effect in percent
    CEdges<CParam<int>, int> items; // "items": share of the items animated, in percent
    CParam<tstr> key;

protected:
    // A failed Start: frees what it made (through Stop) and reports false.
    bool Fail() {
        Stop();
        return false;
    }

    // A bounded parameter's range and initial value, in the order every owner sets them.
    static void InitBounded(CEdges<CParam<int>, int>& param, int min, int max, int initial);

    // How many items at the front of a worker's array this frame steps and draws: the
    // share "items" of itemsPerWorker, never more than the array holds.
    int32_t AnimatedCount() const;

    // Set-specific steps of the frame.
    // Worker 0, before it starts the frame for the others, so before any worker reads its
    // item array.
    virtual void ResetFrameState() {}
    // Every worker: steps and draws its itemsPerWorker items into the frame buffer; with
    // several workers, each writes only its own rows of the band (MoveThenDrawSlice), as
    // each clears and scales its rows while the others draw theirs.
    virtual void StepAndDraw(int worker, CItem* items) = 0;
    // Every worker, once it drew: applies the set's opacity to its rows of the presented
    // band ("vis" below 100 scales every byte as CBmp::ScaleAll does).
    virtual void ApplyOpacity(CBmp& band);
    // Worker 0, after the band was copied for presentation and before it is shown.
    virtual void EndOfFrame() {}
    // Worker 0, after the band was shown.
    virtual void AfterPresent() {}

    // Start: takes over W and H and the slices as the render state's start read them,
    // allocates the done flags (all set) and moved counts for processorCount workers and a
    // W x H frame buffer. False when an allocation fails.
    bool AllocateFrame();
    // Stop: sets every done flag, frees the moved counts and the frame buffer's pixels.
    void ReleaseFrame();

    // Start: one array of perWorker items of type TItem for every worker of the last
    // AllocateFrame. False when an allocation fails (what was made is freed).
    template <class TItem> bool AllocateItems(int32_t perWorker);
    // Stop: destroys every worker's item array.
    void FreeItems();
    // A worker's item array as the type it was allocated with.
    template <class TItem> static TItem* ItemsAs(CItem* items) {
        return static_cast<TItem*>(items);
    }

    // Main thread, at the end of Start (after the monitors the start read) and in
    // UpdatePlacement: places every slice's band. By default each along its monitor's
    // taskbar (BandOnTaskbar), shown there; a slice whose taskbar is on no edge stays.
    virtual void PlaceBands();
    // Main thread: puts slice `slice`'s overlay at (x, y) on the screen and presents it at
    // (destinationX, destinationY). With several monitors the overlay is narrowed so that
    // it ends at its monitor's right edge and never reaches onto another: at once while no
    // worker runs, else by worker 0 before it next copies to it. Nothing while rendering
    // places no overlays.
    void PlaceSlice(std::size_t slice, int32_t x, int32_t y, int32_t destinationX,
                    int32_t destinationY);

    // Several workers, inside StepAndDraw: moves the first AnimatedCount() items of the
    // worker's own array (`own`, of type TItem; none without an array) by
    // move(items, count), then calls draw(w, items, count, firstRow, endRow) for every
    // worker's moved items, w being the array's worker, worker 0's first, on this worker's
    // slice of the band, each
    // array once its worker has moved it: a worker draws its own array and those already
    // moved without waiting for the others. No two workers write one row, so no lock is
    // needed, and the band is the one a single worker drawing all items in that order
    // makes, whatever the timing. A stop meanwhile ends the frame undrawn.
    template <class TItem, class TMove, class TDraw>
    void MoveThenDrawSlice(int worker, CItem* own, TMove move, TDraw draw);

    // Every worker's steps on its own rows of the band (SliceRows): clearing them before it
    // draws (with one monitor only the overlay's w x h pixels from the band's first pixel
    // are cleared, as worker 0 found before it started the frame), applying the opacity
    // once it drew, and noting their non-zero box, from which worker 0 then presents.
    void ClearRows(int worker);
    void OpacityRows(int worker);
    void NoteDrawnRows(int worker);
    // Worker 0, before it starts the frame: notes where the frame's clearing ends.
    void PlanClear();
    // True when StepAndDraw clears and scales its rows itself, a column strip at a time
    // (MoveThenDrawStrips), so that the frame leaves ClearRows and OpacityRows to it.
    virtual bool DrawsByStrips() const { return strips > 1; }
    // Start, once the frame is allocated: the strips of stripColumns across the band,
    // when it takes at least `fewest` of them, else one.
    void PlanStrips(int32_t fewest) {
        strips = stripColumns > 0 ? (frameBuffer.width + stripColumns - 1) / stripColumns : 1;
        if (strips < fewest)
            strips = 1;
    }
    int32_t strips = 1; // of stripColumns each across the band, from PlanStrips
    // The worker's rows of the band in the columns [firstColumn, endColumn) only.
    void ClearArea(int worker, int32_t firstColumn, int32_t endColumn);
    void OpacityArea(int worker, int32_t firstColumn, int32_t endColumn);
    // As MoveThenDrawSlice, a column strip of `stripColumns` at a time from the left:
    // each strip's part of the worker's rows is cleared, every worker's items drawn there
    // by draw(w, items, count, firstRow, endRow, firstColumn, endColumn), w being the
    // array's worker, and scaled by the opacity before the next strip, so that a band
    // wider than the processor's cache holds is worked through in parts that it holds.
    // One worker takes the same steps.
    template <class TItem, class TMove, class TDraw>
    void MoveThenDrawStrips(int worker, CItem* own, int32_t stripColumns, TMove move, TDraw draw);

    // The rows and columns of the band in which a worker draws one cell of sorted
    // placements.
    struct CellArea {
        int32_t firstRow;
        int32_t endRow;
        int32_t firstColumn;
        int32_t endColumn;
    };
    // Start, once the items are allocated: the strips (PlanStrips) and, for several workers
    // or strips, the sort's cells. False when out of memory.
    template <class TPlacement> bool PlanSort(CSliceSort<TPlacement>& sorted, int32_t fewestStrips);
    // Inside the move of MoveThenDrawSorted: starts worker `worker`'s sort of this frame.
    template <class TPlacement> void BeginSort(CSliceSort<TPlacement>& sorted, int worker) {
        sorted.Begin(worker, [this](int32_t slice, int32_t* firstRow, int32_t* endRow) {
            SliceRows(slice, firstRow, endRow);
        });
    }
    // Several workers or strips, inside StepAndDraw: moves the worker's own items by
    // move(items, count), which sorts their placements into `sorted` as well, then calls
    // draw(area, cell) for every worker's cell of this worker's slice, by strips
    // (MoveThenDrawStrips) or whole rows (MoveThenDrawSlice).
    template <class TItem, class TPlacement, class TMove, class TDraw>
    void MoveThenDrawSorted(int worker, CItem* own, const CSliceSort<TPlacement>& sorted,
                            TMove move, TDraw draw);

private:
    // Moves the first AnimatedCount() items of the worker's own array by move(items, count)
    // and publishes them (PublishMoved); returns the round.
    template <class TItem, class TMove> int64_t MoveOwn(int worker, CItem* own, TMove move);
    // Notes that the worker moved its items for this frame, its round'th; returns the round.
    int64_t PublishMoved(int worker);
    // Waits until worker `other` moved its items of round `round`; false when the run flag
    // dropped first.
    bool WaitMoved(int other, int64_t round);
    bool StartFrame(const std::atomic<int32_t>* runFlag);
    bool WaitForOwnFlag(int worker, const std::atomic<int32_t>* runFlag);
    void FinishPart(int worker);
    bool WaitForWorkers(const std::atomic<int32_t>* runFlag);
    bool AllDone() const;
    // One monitor's slice of the band and where it is shown.
    struct SliceState {
        MonitorArea monitor;    // main thread only
        int32_t canvasLeft = 0; // written only while no worker runs
        int32_t sliceWidth = 0; // the slice's columns; written only while no worker runs
        std::atomic<int32_t> wantedWidth{0}; // the overlay's columns as the placement wants
        // The overlay's columns: worker 0 writes them while the workers run, the main
        // thread while none runs.
        std::atomic<int32_t> width{0};
        std::atomic<int32_t> destinationX{0};
        std::atomic<int32_t> destinationY{0};
        DesktopRect lastDrawn; // worker 0: the non-zero part of the last presented slice
        DesktopRect dirty;     // worker 0: this frame's part to present
        bool shown = false;    // worker 0: this frame is presented to the slice's overlay
    };

    // Takes over canvasSlices; keeps the destinations when the number of slices stays.
    void ReadSlices();
    // Main thread: takes over the desktop's monitors and their taskbars as they are now
    // when their number is still that of the slices (a new number waits for a restart).
    void RefreshMonitors();
    // Worker 0 between frames, or the main thread while no worker runs: the overlay takes
    // the width the placement wants, when it differs.
    void ApplyWidth(std::size_t slice);
    // Where this frame's clearing ends, as a pixel index in the frame buffer.
    int64_t ClearedEnd() const;
    // The worker's rows of the frame buffer as a bitmap; false when it has none.
    bool WrapRows(int worker, CBmp* rows, int32_t* firstRow);
    void PresentFrame();
    // The part of slice `slice` (in its own pixels) that may differ from the last
    // presented one, from `drawn`, the non-zero part of the whole band; notes what this
    // band drew there for the next frame.
    DesktopRect DirtyPart(SliceState& slice, const CBmp& band, const DesktopRect& drawn);

    void (*freeItemArray)(CItem* items) = nullptr;
    std::unique_ptr<SliceState[]> slices;
    std::size_t sliceCount = 1;
    // Per worker, the frames it has moved its items for since the start.
    std::unique_ptr<std::atomic<int64_t>[]> movedRounds;
    std::atomic<int32_t> moveWaiters{0}; // workers in WaitMoved's sleep, or about to be
    int64_t clearedEnd = 0;              // of this frame, written by PlanClear
    // Per worker, the non-zero box of its rows in band pixels, for worker 0 once all finished.
    std::unique_ptr<DesktopRect[]> drawnBoxes;
};

template <class TItem, class TMove> int64_t CFrameSet::MoveOwn(int worker, CItem* own, TMove move) {
    movedCounts[worker] = own ? AnimatedCount() : 0;
    move(ItemsAs<TItem>(own), movedCounts[worker]);
    return PublishMoved(worker);
}

template <class TItem, class TMove, class TDraw>
void CFrameSet::MoveThenDrawSlice(int worker, CItem* own, TMove move, TDraw draw) {
    const int64_t round = MoveOwn<TItem>(worker, own, move);
    int32_t firstRow = 0;
    int32_t endRow = 0;
    SliceRows(worker, &firstRow, &endRow);
    for (int32_t w = 0; w < workerCount && static_cast<std::size_t>(w) < workerItems.size(); ++w) {
        if (w != worker && !WaitMoved(w, round))
            return;
        draw(w, ItemsAs<const TItem>(workerItems[static_cast<std::size_t>(w)]), movedCounts[w],
             firstRow, endRow);
    }
}

template <class TItem, class TMove, class TDraw>
void CFrameSet::MoveThenDrawStrips(int worker, CItem* own, int32_t stripColumns, TMove move,
                                   TDraw draw) {
    const int64_t round = MoveOwn<TItem>(worker, own, move);
    int32_t firstRow = 0;
    int32_t endRow = 0;
    SliceRows(worker, &firstRow, &endRow);
    const int32_t arrays = std::min<int32_t>(workerCount, static_cast<int32_t>(workerItems.size()));
    const int32_t columns = std::max(1, stripColumns);
    for (int32_t first = 0; first < frameBuffer.width; first += columns) {
        const int32_t end = std::min(frameBuffer.width, first + columns);
        ClearArea(worker, first, end);
        for (int32_t w = 0; w < arrays; ++w) {
            if (w != worker && !WaitMoved(w, round))
                return;
            draw(w, ItemsAs<const TItem>(workerItems[static_cast<std::size_t>(w)]), movedCounts[w],
                 firstRow, endRow, first, end);
        }
        OpacityArea(worker, first, end);
    }
}

template <class TPlacement>
bool CFrameSet::PlanSort(CSliceSort<TPlacement>& sorted, int32_t fewestStrips) {
    PlanStrips(fewestStrips);
    if (workerCount <= 1 && strips <= 1)
        return true;
    return sorted.Reset(workerCount, frameBuffer.width,
                        strips > 1 ? stripColumns : frameBuffer.width, itemsPerWorker);
}

template <class TItem, class TPlacement, class TMove, class TDraw>
void CFrameSet::MoveThenDrawSorted(int worker, CItem* own, const CSliceSort<TPlacement>& sorted,
                                   TMove move, TDraw draw) {
    if (strips > 1) {
        MoveThenDrawStrips<TItem>(worker, own, stripColumns, move,
                                  [&](int32_t w, const TItem*, int32_t, int32_t firstRow,
                                      int32_t endRow, int32_t firstColumn, int32_t endColumn) {
                                      draw(CellArea{firstRow, endRow, firstColumn, endColumn},
                                           sorted.Cell(w, worker, firstColumn / stripColumns));
                                  });
        return;
    }
    MoveThenDrawSlice<TItem>(
        worker, own, move, [&](int32_t w, const TItem*, int32_t, int32_t firstRow, int32_t endRow) {
            draw(CellArea{firstRow, endRow, 0, frameBuffer.width}, sorted.Cell(w, worker, 0));
        });
}

template <class TItem> bool CFrameSet::AllocateItems(int32_t perWorker) {
    FreeItems();
    if (perWorker < 0)
        return false;
    freeItemArray = [](CItem* items) { delete[] static_cast<TItem*>(items); };
    itemsPerWorker = perWorker;
    workerItems.reserve(static_cast<std::size_t>(workerCount));
    for (int32_t i = 0; i < workerCount; ++i) {
        TItem* items = new (std::nothrow) TItem[static_cast<std::size_t>(perWorker)];
        if (!items) {
            FreeItems();
            return false;
        }
        workerItems.push_back(items);
    }
    return true;
}
