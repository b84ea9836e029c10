#include "effects/engine/CRenderState.h"

#include "effects/engine/CRandom.h"
#include "effects/engine/CSet.h"
#include "effects/engine/IDesktop.h"
#include "effects/engine/ScreenSize.h"

#include <algorithm>
#include <chrono>

namespace {

constexpr int32_t kOverlayRows = 200;
constexpr int32_t kStopPollMs = 10;

void SleepMs(int32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

int32_t SystemProcessorCount() {
    return std::max<int32_t>(1, static_cast<int32_t>(std::thread::hardware_concurrency()));
}

} // namespace

CRenderState::CRenderState(IDesktop* desktop)
    : desktop(desktop), processorCount(SystemProcessorCount()) {}

CRenderState::~CRenderState() {
    StopEffect();
}

bool CRenderState::StartRendering() {
    if (overlayCreated)
        StopRendering();
    ReadScreenSize(*desktop);
    const int32_t top = screenHeight - kOverlayRows;
    // The overlay spans (0, H - 200) to the bottom right corner: W x 200.
    const DesktopRect rect{0, top, screenWidth, screenHeight};
    if (!desktop->CreateOverlay(rect))
        return false;
    overlayCreated = true;
    if (activeSet && !activeSet->Start())
        return false;
    desktop->ShowOverlay();
    return true;
}

bool CRenderState::StopRendering() {
    if (activeSet)
        activeSet->Stop();
    desktop->DestroyOverlay();
    overlayCreated = false;
    return true;
}

bool CRenderState::StartEffect() {
    if (!workers.empty() || !activeSet)
        return false;
    if (!StartRendering()) {
        StopRendering();
        return false;
    }
    runFlag.store(1, std::memory_order_release);
    workers.reserve(static_cast<std::size_t>(processorCount));
    for (int32_t i = 0; i < processorCount; ++i) {
        // Counted before the thread starts, so that a wait right after the start cannot
        // see 0 before the workers have run.
        runningWorkers.fetch_add(1, std::memory_order_acq_rel);
        workers.emplace_back(&CRenderState::RunWorker, this, i);
    }
    return true;
}

void CRenderState::StopEffect() {
    {
        // Under the pause lock, so that worker 0 cannot miss the wake-up.
        std::lock_guard<std::mutex> lock(pauseLock);
        runFlag.store(0, std::memory_order_release);
    }
    pauseEnd.notify_all();
    WaitForWorkers();
    for (std::thread& worker : workers)
        worker.join();
    workers.clear();
    if (overlayCreated)
        StopRendering();
}

void CRenderState::WaitForWorkers() const {
    while (runningWorkers.load(std::memory_order_acquire) != 0)
        desktop->PauseWhileStopping(kStopPollMs);
}

void CRenderState::PauseAfterFrame() {
    if (frameSleepMs <= 0)
        return;
    std::unique_lock<std::mutex> lock(pauseLock);
    pauseEnd.wait_for(lock, std::chrono::milliseconds(frameSleepMs),
                      [this] { return runFlag.load(std::memory_order_acquire) == 0; });
}

void CRenderState::RunWorker(int32_t index) {
    CRandom::Seed(static_cast<uint32_t>(index) * desktop->TickCount()); // worker 0 gets seed 0
    int32_t frames = 0;
    while (runFlag.load(std::memory_order_acquire) != 0) {
        if (activeSet)
            activeSet->Render(index, &runFlag);
        else if (index != 0)
            SleepMs(kStopPollMs); // nothing to render: do not spin
        if (index != 0)
            continue;
        if (frameLimit > 0 && ++frames >= frameLimit)
            runFlag.store(0, std::memory_order_release);
        PauseAfterFrame();
    }
    runningWorkers.fetch_sub(1, std::memory_order_acq_rel);
}
