#include "effects/engine/CFrameSet.h"

#include "effects/engine/CRenderState.h"
#include "effects/engine/IDesktop.h"
#include "effects/engine/ScreenSize.h"
#include "graphics/CBmp.h"

#include <algorithm>

namespace {

constexpr int32_t kBandRows = 200;      // rows of the presented band
constexpr int32_t kBandBottomGap = 130; // rows of the frame buffer below the band

bool Running(const std::atomic<int32_t>* runFlag) {
    return runFlag->load(std::memory_order_acquire) != 0;
}

} // namespace

CFrameSet::CFrameSet(CSettingsStore* store, CRenderState* renderState, const char* keyText)
    : CSet(store), desktop(renderState->desktop), renderState(renderState) {
    key.Set(keyText);
    name.Set(keyText);
    InitBounded(vis, 10, 100, 50);
    InitBounded(items, 30, 100, 100);
    paramSet.SetPath(tstr("Sets\\") + keyText);
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
    return std::max<int32_t>(0, frameBuffer.height - kBandRows - kBandBottomGap);
}

int32_t CFrameSet::BandRows() const {
    return std::max<int32_t>(0, std::min<int32_t>(kBandRows, frameBuffer.height - BandTop()));
}

void CFrameSet::SetDestination(int32_t x, int32_t y) {
    destinationX.store(x, std::memory_order_relaxed);
    destinationY.store(y, std::memory_order_relaxed);
}

bool CFrameSet::AllocateFrame() {
    ReadScreenSize(*desktop);
    workerCount = std::max<int32_t>(1, renderState->processorCount);
    doneFlags.reset(new (std::nothrow) std::atomic<int32_t>[static_cast<std::size_t>(workerCount)]);
    if (!doneFlags)
        return false;
    for (int32_t i = 0; i < workerCount; ++i)
        doneFlags[i].store(1, std::memory_order_relaxed);
    stepped = 0; // a stop may have left workers waiting in AllStepped
    if (screenWidth <= 0 || screenHeight <= 0)
        return false;
    frameBuffer.Create(screenWidth, screenHeight);
    return frameBuffer.pixels != nullptr;
}

void CFrameSet::ReleaseFrame() {
    for (int32_t i = 0; doneFlags && i < workerCount; ++i)
        doneFlags[i].store(1, std::memory_order_release);
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
        ClearBand();
        if (!Running(runFlag))
            return;
        ResetFrameState();
        if (!StartFrame(runFlag))
            return;
    } else if (!WaitForOwnFlag(worker, runFlag)) {
        return;
    }
    CItem* items =
        static_cast<std::size_t>(worker) < workerItems.size() ? workerItems[worker] : nullptr;
    StepAndDraw(worker, items);
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

bool CFrameSet::AllStepped() {
    const std::atomic<int32_t>* runFlag = &renderState->runFlag;
    if (workerCount <= 1)
        return true;
    std::unique_lock<std::mutex> lock(renderState->signalLock);
    if (++stepped == workerCount) {
        stepped = 0;
        ++stepRound;
        lock.unlock();
        renderState->frameStarted.notify_all();
        return true;
    }
    const int64_t round = stepRound;
    renderState->Wait(lock, renderState->frameStarted,
                      [&] { return stepRound != round || !Running(runFlag); });
    return stepRound != round;
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

void CFrameSet::ClearBand() {
    DesktopRect rect;
    if (!desktop->OverlayRect(&rect) || !frameBuffer.pixels)
        return;
    // w x h pixels from the first pixel of the band's top row, never past the buffer's end.
    const int64_t start = static_cast<int64_t>(BandTop()) * frameBuffer.width;
    const int64_t total = static_cast<int64_t>(frameBuffer.width) * frameBuffer.height;
    const int64_t wanted = static_cast<int64_t>(std::max(0, rect.right - rect.left)) *
                           std::max(0, rect.bottom - rect.top);
    const int64_t count = std::min(wanted, total - start);
    uint32_t* first = reinterpret_cast<uint32_t*>(frameBuffer.pixels) + start;
    std::fill(first, first + std::max<int64_t>(0, count), 0u);
}

void CFrameSet::PresentFrame() {
    if (!frameBuffer.pixels)
        return;
    CBmp band;
    band.Wrap(frameBuffer.pixels, BandTop() * frameBuffer.width * 4, frameBuffer.width, BandRows());
    ApplyOpacity(band);
    desktop->CopyBand(band);
    EndOfFrame();
    desktop->Present(DestinationX(), DestinationY());
    AfterPresent();
}
