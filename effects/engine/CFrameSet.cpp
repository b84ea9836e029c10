#include "effects/engine/CFrameSet.h"

#include "effects/engine/CRenderState.h"
#include "effects/engine/DirtyBox.h"
#include "effects/engine/IDesktop.h"
#include "effects/engine/ScreenSize.h"
#include "effects/engine/TaskbarPlacement.h"
#include "graphics/CBmp.h"
#include "params/StorePaths.h"

#include <algorithm>

namespace {

constexpr int32_t kBandBottomGap = 130; // rows of the frame buffer below the band

bool Running(const std::atomic<int32_t>* runFlag) {
    return runFlag->load(std::memory_order_acquire) != 0;
}

} // namespace

CFrameSet::CFrameSet(CSettingsStore* store, CRenderState* renderState, const char* keyText)
    : CSet(store), desktop(renderState->desktop), renderState(renderState),
      slices(new SliceState[1]) {
    key.Set(keyText);
    name.Set(keyText);
    InitBounded(vis, 10, 100, 50);
    InitBounded(items, 30, 100, 100);
    paramSet.SetPath(tstr(kSetsPath) + "\\" + keyText);
    paramSet.Add(&vis, "vis");
    paramSet.Add(&items, "items");
}

CFrameSet::~CFrameSet() {
    FreeItems();
}

void CFrameSet::InitBounded(CEdges<CParam<int>, int>& param, int min, int max, int initial) {
    param.SetRange(min, max);
    param.Set(initial);
}

bool CFrameSet::Load() {
    paramSet.Load();
    return true;
}

bool CFrameSet::Save() {
    paramSet.Save();
    return true;
}

void CFrameSet::ApplyOpacity(CBmp& band) {
    const int percent = vis.Bounded();
    if (percent < 100)
        band.ScaleAll(percent);
}

int32_t CFrameSet::AnimatedCount() const {
    const int64_t share = int64_t{itemsPerWorker} * items.Bounded() / 100;
    return static_cast<int32_t>(std::clamp<int64_t>(share, 0, itemsPerWorker));
}

int32_t CFrameSet::BandTop() const {
    // Row H - 330: the band ends 130 rows above the bottom of the screen.
    return std::max<int32_t>(0, frameBuffer.height - kOverlayBandRows - kBandBottomGap);
}

int32_t CFrameSet::BandRows() const {
    return std::max<int32_t>(0,
                             std::min<int32_t>(kOverlayBandRows, frameBuffer.height - BandTop()));
}

void CFrameSet::SliceRows(int worker, int32_t* firstRow, int32_t* endRow) const {
    const int64_t rows = BandRows();
    const int32_t count = std::max<int32_t>(1, workerCount);
    *firstRow = BandTop() + static_cast<int32_t>(rows * worker / count);
    *endRow = BandTop() + static_cast<int32_t>(rows * (worker + 1) / count);
}

void CFrameSet::SetDestination(std::size_t slice, int32_t x, int32_t y) {
    if (slice >= sliceCount)
        return;
    slices[slice].destinationX.store(x, std::memory_order_relaxed);
    slices[slice].destinationY.store(y, std::memory_order_relaxed);
}

int32_t CFrameSet::DestinationX(std::size_t slice) const {
    return slice < sliceCount ? slices[slice].destinationX.load(std::memory_order_relaxed) : 0;
}

int32_t CFrameSet::DestinationY(std::size_t slice) const {
    return slice < sliceCount ? slices[slice].destinationY.load(std::memory_order_relaxed) : 0;
}

const MonitorArea& CFrameSet::SliceMonitor(std::size_t slice) const {
    return slices[std::min(slice, sliceCount - 1)].monitor;
}

void CFrameSet::ReadSlices() {
    const std::size_t count = std::max<std::size_t>(1, canvasSlices.size());
    if (count != sliceCount) {
        slices.reset(new SliceState[count]);
        sliceCount = count;
    }
    for (std::size_t i = 0; i < canvasSlices.size(); ++i) {
        SliceState& slice = slices[i];
        slice.monitor = canvasSlices[i].monitor;
        slice.canvasLeft = canvasSlices[i].canvasLeft;
        slice.sliceWidth = canvasSlices[i].width;
        slice.wantedWidth.store(slice.sliceWidth, std::memory_order_relaxed);
        slice.width.store(slice.sliceWidth, std::memory_order_relaxed);
        slice.lastDrawn = {};
    }
}

void CFrameSet::UpdatePlacement() {
    if (renderState->activeSet != this || !frameBuffer.pixels ||
        renderState->AllowedPlacement() == CRenderState::Placement::None)
        return;
    RefreshMonitors();
    PlaceBands();
}

// While the workers run the overlay is only moved: its surface is worker 0's, which
// resizes it between frames (a surface freed under its copy would be written after free).
void CFrameSet::PlaceSlice(std::size_t slice, int32_t x, int32_t y, int32_t destinationX,
                           int32_t destinationY) {
    const CRenderState::Placement allowed = renderState->AllowedPlacement();
    if (slice >= sliceCount || allowed == CRenderState::Placement::None)
        return;
    SliceState& state = slices[slice];
    const int32_t width = sliceCount > 1
                              ? std::clamp(state.monitor.screen.right - x, 1, state.sliceWidth)
                              : state.sliceWidth;
    state.wantedWidth.store(width, std::memory_order_relaxed);
    desktop->MoveOverlay(slice, x, y);
    if (allowed == CRenderState::Placement::Any)
        ApplyWidth(slice);
    SetDestination(slice, destinationX, destinationY);
}

void CFrameSet::ApplyWidth(std::size_t slice) {
    SliceState& state = slices[slice];
    const int32_t wanted = state.wantedWidth.load(std::memory_order_relaxed);
    if (wanted != state.width.load(std::memory_order_relaxed) &&
        desktop->ResizeOverlay(slice, wanted))
        state.width.store(wanted, std::memory_order_relaxed);
}

void CFrameSet::PlaceBands() {
    for (std::size_t i = 0; i < sliceCount; ++i) {
        const MonitorArea& monitor = slices[i].monitor;
        int32_t x = 0;
        int32_t y = 0;
        if (!BandOnTaskbar(monitor, &x, &y))
            continue;
        x += monitor.screen.left;
        y += monitor.screen.top;
        PlaceSlice(i, x, y, x, y);
    }
}

void CFrameSet::RefreshMonitors() {
    const std::vector<MonitorArea> monitors = desktop->Monitors();
    if (monitors.size() != sliceCount)
        return;
    for (std::size_t i = 0; i < sliceCount; ++i)
        slices[i].monitor = monitors[i];
}

bool CFrameSet::AllocateFrame() {
    ReadSlices();
    workerCount = std::max<int32_t>(1, renderState->processorCount);
    doneFlags.reset(new (std::nothrow) std::atomic<int32_t>[static_cast<std::size_t>(workerCount)]);
    movedCounts.reset(new (std::nothrow) int32_t[static_cast<std::size_t>(workerCount)]());
    drawnBoxes.reset(new (std::nothrow) DesktopRect[static_cast<std::size_t>(workerCount)]);
    // A stop may have ended a frame that some workers had moved their items for and others
    // not: the rounds start again together.
    movedRounds.reset(new (std::nothrow)
                          std::atomic<int64_t>[static_cast<std::size_t>(workerCount)]());
    if (!doneFlags || !movedCounts || !drawnBoxes || !movedRounds)
        return false;
    for (int32_t i = 0; i < workerCount; ++i)
        doneFlags[i].store(1, std::memory_order_relaxed);
    if (screenWidth <= 0 || screenHeight <= 0)
        return false;
    frameBuffer.Create(screenWidth, screenHeight);
    return frameBuffer.pixels != nullptr;
}

void CFrameSet::ReleaseFrame() {
    for (int32_t i = 0; doneFlags && i < workerCount; ++i)
        doneFlags[i].store(1, std::memory_order_release);
    movedCounts.reset();
    frameBuffer.Free();
}

void CFrameSet::FreeItems() {
    for (CItem* items : workerItems)
        freeItemArray(items);
    workerItems.clear();
    itemsPerWorker = 0;
}

void CFrameSet::Render(int worker, const std::atomic<int32_t>* runFlag) {
    if (worker < 0 || worker >= workerCount)
        return;
    if (worker == 0) {
        if (!Running(runFlag))
            return;
        ResetFrameState();
        PlanClear();
        if (!StartFrame(runFlag))
            return;
    } else if (!WaitForOwnFlag(worker, runFlag)) {
        return;
    }
    CItem* items =
        static_cast<std::size_t>(worker) < workerItems.size() ? workerItems[worker] : nullptr;
    // Each worker clears, draws, scales and reads only its own rows, which so stay in its
    // processor's cache for the whole frame.
    const bool wholeRows = !DrawsByStrips();
    if (wholeRows)
        ClearRows(worker);
    StepAndDraw(worker, items);
    if (wholeRows)
        OpacityRows(worker);
    NoteDrawnRows(worker);
    FinishPart(worker);
    if (worker != 0)
        return;
    // A stop that ends the wait leaves the frame unpresented: other workers may still be
    // drawing into it.
    if (!WaitForWorkers(runFlag))
        return;
    PresentFrame();
}

// Clears every flag, which lets the other workers draw the frame whose band is cleared.
bool CFrameSet::StartFrame(const std::atomic<int32_t>* runFlag) {
    bool started = false;
    renderState->Signal(renderState->frameStarted, [&] {
        started = Running(runFlag);
        for (int32_t i = 0; started && i < workerCount; ++i)
            doneFlags[i].store(0, std::memory_order_relaxed);
    });
    return started;
}

bool CFrameSet::WaitForOwnFlag(int worker, const std::atomic<int32_t>* runFlag) {
    std::unique_lock<std::mutex> lock(renderState->signalLock);
    renderState->Wait(lock, renderState->frameStarted, [&] {
        return doneFlags[worker].load(std::memory_order_relaxed) == 0 || !Running(runFlag);
    });
    return Running(runFlag);
}

int64_t CFrameSet::PublishMoved(int worker) {
    const int64_t round = movedRounds[worker].load(std::memory_order_relaxed) + 1;
    // Sequentially consistent, as is the waiters' count and look: either a waiter sees
    // this round, or this sees the waiter and wakes it under the lock it looks under.
    movedRounds[worker].store(round);
    if (moveWaiters.load() > 0) {
        { std::lock_guard<std::mutex> guard(renderState->signalLock); }
        renderState->frameStarted.notify_all();
    }
    return round;
}

bool CFrameSet::WaitMoved(int other, int64_t round) {
    if (movedRounds[other].load() >= round)
        return true;
    const std::atomic<int32_t>* runFlag = &renderState->runFlag;
    std::unique_lock<std::mutex> lock(renderState->signalLock);
    moveWaiters.fetch_add(1);
    renderState->Wait(lock, renderState->frameStarted,
                      [&] { return movedRounds[other].load() >= round || !Running(runFlag); });
    moveWaiters.fetch_sub(1);
    return movedRounds[other].load() >= round;
}

// The worker that finishes last wakes worker 0.
void CFrameSet::FinishPart(int worker) {
    bool last = false;
    {
        std::lock_guard<std::mutex> guard(renderState->signalLock);
        doneFlags[worker].store(1, std::memory_order_relaxed);
        last = worker != 0 && AllDone();
    }
    if (last)
        renderState->partsDone.notify_all();
}

bool CFrameSet::WaitForWorkers(const std::atomic<int32_t>* runFlag) {
    std::unique_lock<std::mutex> lock(renderState->signalLock);
    renderState->Wait(lock, renderState->partsDone, [&] { return AllDone() || !Running(runFlag); });
    return AllDone() && Running(runFlag);
}

bool CFrameSet::AllDone() const {
    for (int32_t i = 0; i < workerCount; ++i)
        if (doneFlags[i].load(std::memory_order_relaxed) == 0)
            return false;
    return true;
}

int64_t CFrameSet::ClearedEnd() const {
    if (!frameBuffer.pixels)
        return 0;
    const int64_t start = static_cast<int64_t>(BandTop()) * frameBuffer.width;
    const int64_t total = static_cast<int64_t>(frameBuffer.width) * frameBuffer.height;
    int64_t wanted = static_cast<int64_t>(frameBuffer.width) * BandRows();
    if (sliceCount == 1) {
        // One monitor: the overlay's w x h pixels from the band's first pixel.
        DesktopRect rect;
        if (!desktop->OverlayRect(0, &rect))
            return start;
        wanted = static_cast<int64_t>(std::max(0, rect.right - rect.left)) *
                 std::max(0, rect.bottom - rect.top);
    }
    return start + std::max<int64_t>(0, std::min(wanted, total - start)); // inside the buffer
}

void CFrameSet::PlanClear() {
    clearedEnd = ClearedEnd();
}

void CFrameSet::ClearRows(int worker) {
    if (!frameBuffer.pixels)
        return;
    int32_t firstRow = 0;
    int32_t endRow = 0;
    SliceRows(worker, &firstRow, &endRow);
    const int64_t first = std::max<int64_t>(int64_t{BandTop()} * frameBuffer.width,
                                            int64_t{firstRow} * frameBuffer.width);
    const int64_t end = std::min<int64_t>(clearedEnd, int64_t{endRow} * frameBuffer.width);
    uint32_t* pixels = reinterpret_cast<uint32_t*>(frameBuffer.pixels);
    if (first < end)
        std::fill(pixels + first, pixels + end, 0u);
}

bool CFrameSet::WrapRows(int worker, CBmp* rows, int32_t* firstRow) {
    int32_t endRow = 0;
    SliceRows(worker, firstRow, &endRow);
    if (!frameBuffer.pixels || endRow <= *firstRow)
        return false;
    rows->Wrap(frameBuffer.pixels, *firstRow * frameBuffer.width * kBytesPerPixel,
               frameBuffer.width, endRow - *firstRow);
    return true;
}

void CFrameSet::OpacityRows(int worker) {
    CBmp rows;
    int32_t firstRow = 0;
    if (WrapRows(worker, &rows, &firstRow))
        ApplyOpacity(rows);
}

void CFrameSet::ClearArea(int worker, int32_t firstColumn, int32_t endColumn) {
    int32_t firstRow = 0;
    int32_t endRow = 0;
    SliceRows(worker, &firstRow, &endRow);
    uint32_t* pixels = reinterpret_cast<uint32_t*>(frameBuffer.pixels);
    for (int32_t y = std::max(firstRow, BandTop()); pixels && y < endRow; ++y) {
        const int64_t row = int64_t{y} * frameBuffer.width;
        const int64_t end = std::min<int64_t>(clearedEnd, row + endColumn);
        if (row + firstColumn < end)
            std::fill(pixels + row + firstColumn, pixels + end, 0u);
    }
}

void CFrameSet::OpacityArea(int worker, int32_t firstColumn, int32_t endColumn) {
    int32_t firstRow = 0;
    int32_t endRow = 0;
    SliceRows(worker, &firstRow, &endRow);
    for (int32_t y = firstRow; frameBuffer.pixels && y < endRow && firstColumn < endColumn; ++y) {
        CBmp run; // one row's columns
        run.Wrap(frameBuffer.pixels, (y * frameBuffer.width + firstColumn) * kBytesPerPixel,
                 endColumn - firstColumn, 1);
        ApplyOpacity(run);
    }
}

void CFrameSet::NoteDrawnRows(int worker) {
    CBmp rows;
    int32_t firstRow = 0;
    DesktopRect box;
    if (WrapRows(worker, &rows, &firstRow))
        box = NonZeroBox(rows);
    if (!BoxEmpty(box)) { // in band rows
        box.top += firstRow - BandTop();
        box.bottom += firstRow - BandTop();
    }
    drawnBoxes[worker] = box;
}

void CFrameSet::PresentFrame() {
    if (!frameBuffer.pixels)
        return;
    CBmp band;
    band.Wrap(frameBuffer.pixels, BandTop() * frameBuffer.width * kBytesPerPixel, frameBuffer.width,
              BandRows());
    DesktopRect drawn;
    for (int32_t worker = 0; worker < workerCount; ++worker)
        drawn = UniteBoxes(drawn, drawnBoxes[worker]);
    // A paused monitor's overlay gets nothing; its slice's record stays as last shown.
    for (std::size_t i = 0; i < sliceCount; ++i) {
        SliceState& slice = slices[i];
        slice.shown = !renderState->MonitorPaused(i);
        if (!slice.shown)
            continue;
        ApplyWidth(i);
        slice.dirty = DirtyPart(slice, band, drawn);
        desktop->CopyBand(i, band, slice.dirty);
    }
    EndOfFrame();
    // A refused presentation needs nothing here: the desktop shows the whole slice next time.
    for (std::size_t i = 0; i < sliceCount; ++i)
        if (slices[i].shown)
            (void)desktop->Present(i, DestinationX(i), DestinationY(i), slices[i].dirty);
    AfterPresent();
}

// A pixel outside both the drawn part of this slice and that of the last presented one is
// zero in both, so their union bounds every change. The opacity keeps zero pixels zero.
DesktopRect CFrameSet::DirtyPart(SliceState& slice, const CBmp& band, const DesktopRect& drawn) {
    const int32_t width =
        sliceCount == 1 ? band.width : slice.width.load(std::memory_order_relaxed);
    const DesktopRect own = ClipBox(
        {drawn.left - slice.canvasLeft, drawn.top, drawn.right - slice.canvasLeft, drawn.bottom},
        width, band.height);
    const DesktopRect dirty = ClipBox(UniteBoxes(own, slice.lastDrawn), width, band.height);
    slice.lastDrawn = own;
    return dirty;
}
