#include "effects/engine/CRenderState.h"

#include "effects/engine/CRandom.h"
#include "effects/engine/CSet.h"
#include "effects/engine/IDesktop.h"
#include "effects/engine/ScreenSize.h"

#include <algorithm>

namespace {

constexpr int32_t kOverlayRows = 200;
constexpr int32_t kStopPauseMs = 10; // the main thread's pause between looks while stopping

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
    if (!Paused())
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
    DropRunFlag();
    WaitForWorkers();
    for (std::thread& worker : workers)
        worker.join();
    workers.clear();
    if (overlayCreated)
        StopRendering();
}

void CRenderState::WaitForWorkers() const {
    while (runningWorkers.load(std::memory_order_acquire) != 0)
        desktop->PauseWhileStopping(kStopPauseMs);
}

void CRenderState::DropRunFlag() {
    // Under the lock, so that no wait can miss the wake-up between its look and its sleep.
    Signal(frameTurn, [this] { runFlag.store(0, std::memory_order_release); });
    frameStarted.notify_all();
    partsDone.notify_all();
}

void CRenderState::SetPaused(bool pause) {
    Signal(frameTurn, [&] { paused = pause; });
    if (!overlayCreated)
        return;
    if (pause)
        desktop->HideOverlay();
    else
        desktop->ShowOverlay();
}

bool CRenderState::Paused() const {
    std::lock_guard<std::mutex> guard(signalLock);
    return paused;
}

bool CRenderState::AwaitFrameTurn(std::chrono::steady_clock::time_point next) {
    std::unique_lock<std::mutex> lock(signalLock);
    while (Running()) {
        if (paused) {
            parked.store(true, std::memory_order_release);
            frameTurn.wait(lock);
            parked.store(false, std::memory_order_release);
        } else if (std::chrono::steady_clock::now() < next) {
            frameTurn.wait_until(lock, next);
        } else {
            return true;
        }
        wakeUps.fetch_add(1, std::memory_order_relaxed);
    }
    return false;
}

void CRenderState::AwaitStop() {
    std::unique_lock<std::mutex> lock(signalLock);
    Wait(lock, frameTurn, [this] { return !Running(); });
}

void CRenderState::RunWorker(int32_t index) {
    CRandom::Seed(static_cast<uint32_t>(index) * desktop->TickCount()); // worker 0 gets seed 0
    int32_t frames = 0;
    auto next = std::chrono::steady_clock::now();
    while (Running()) {
        if (index == 0 && !AwaitFrameTurn(next))
            break;
        if (!activeSet) {
            AwaitStop(); // nothing to render
            break;
        }
        activeSet->Render(index, &runFlag);
        if (index != 0)
            continue;
        if (frameLimit > 0 && ++frames >= frameLimit)
            DropRunFlag();
        next = std::chrono::steady_clock::now() + std::chrono::milliseconds(frameSleepMs);
    }
    runningWorkers.fetch_sub(1, std::memory_order_acq_rel);
}
