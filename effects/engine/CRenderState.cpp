#include "effects/engine/CRenderState.h"

#include "effects/engine/CRandom.h"
#include "effects/engine/CSet.h"
#include "effects/engine/IDesktop.h"
#include "effects/engine/ScreenSize.h"
#include "effects/engine/TaskbarPlacement.h"

#include <algorithm>
#include <exception>

namespace {

constexpr int32_t kStopPauseMs = 10; // the main thread's pause between looks while stopping

int32_t SystemProcessorCount() {
    return std::max<int32_t>(1, static_cast<int32_t>(std::thread::hardware_concurrency()));
}

bool SameMonitors(const std::vector<MonitorArea>& a, const std::vector<MonitorArea>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const MonitorArea& p, const MonitorArea& q) {
                          return SameRect(p.screen, q.screen) && p.taskbarState == q.taskbarState &&
                                 SameRect(p.taskbar, q.taskbar);
                      });
}

} // namespace

CRenderState::CRenderState(IDesktop* desktop)
    : desktop(desktop), processorCount(SystemProcessorCount()) {}

CRenderState::~CRenderState() {
    StopEffect();
}

void CRenderState::ReadMonitors() {
    ReadScreenSize(*desktop);
    std::vector<MonitorArea> now;
    for (const CanvasSlice& slice : canvasSlices)
        now.push_back(slice.monitor);
    std::lock_guard<std::mutex> guard(signalLock);
    if (!monitors.empty() && !SameMonitors(monitors, now))
        monitorPauses.clear();
    monitors = now;
    overlayCount = monitors.size();
}

bool CRenderState::StartRendering() {
    if (overlayCreated)
        StopRendering();
    ReadMonitors();
    if (canvasSlices.empty())
        return false;
    // Overlay i spans its slice's width x 200 at the bottom of monitor i.
    for (std::size_t i = 0; i < canvasSlices.size(); ++i) {
        const CanvasSlice& slice = canvasSlices[i];
        const DesktopRect& screen = slice.monitor.screen;
        const DesktopRect rect{screen.left, screen.bottom - kOverlayBandRows,
                               screen.left + slice.width, screen.bottom};
        if (!desktop->CreateOverlay(i, rect, slice.canvasLeft))
            return false;
        overlayCreated = true;
    }
    if (activeSet && !activeSet->Start())
        return false;
    for (std::size_t i = 0; i < canvasSlices.size(); ++i)
        if (ShownNow(i))
            desktop->ShowOverlay(i);
    return true;
}

bool CRenderState::StopRendering() {
    if (activeSet)
        activeSet->Stop();
    desktop->DestroyOverlays();
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
    if (StartWorkers())
        return true;
    StopEffect();
    return false;
}

// std::system_error (no thread) and std::bad_alloc (no memory for one) are caught here:
// the start is called from window procedures, which no exception may leave.
bool CRenderState::StartWorkers() {
    try {
        workers.reserve(static_cast<std::size_t>(processorCount)); // push_back cannot throw
    } catch (const std::exception&) {
        return false;
    }
    for (int32_t i = 0; i < processorCount; ++i) {
        // Counted before the thread starts, so that a wait right after the start cannot
        // see 0 before the workers have run.
        runningWorkers.fetch_add(1, std::memory_order_acq_rel);
        try {
            workers.push_back(makeThread([this, i] { RunWorker(i); }));
        } catch (const std::exception&) {
            runningWorkers.fetch_sub(1, std::memory_order_acq_rel);
            return false;
        }
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
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (pause)
            desktop->HideOverlay(i);
        else if (ShownNow(i))
            desktop->ShowOverlay(i);
    }
}

bool CRenderState::Paused() const {
    std::lock_guard<std::mutex> guard(signalLock);
    return paused;
}

void CRenderState::SetMonitorPaused(std::size_t monitor, bool pause) {
    Signal(frameTurn, [&] {
        if (monitorPauses.size() <= monitor)
            monitorPauses.resize(monitor + 1, false);
        monitorPauses[monitor] = pause;
    });
    if (!overlayCreated || monitor >= monitors.size())
        return;
    if (ShownNow(monitor))
        desktop->ShowOverlay(monitor);
    else
        desktop->HideOverlay(monitor);
}

bool CRenderState::MonitorPaused(std::size_t monitor) const {
    std::lock_guard<std::mutex> guard(signalLock);
    return monitor < monitorPauses.size() && monitorPauses[monitor];
}

CRenderState::Placement CRenderState::AllowedPlacement() const {
    if (!overlayCreated)
        return Placement::None;
    if (workers.empty())
        return Placement::Any;
    return Running() ? Placement::MoveOnly : Placement::None;
}

bool CRenderState::ShownNow(std::size_t overlay) const {
    std::lock_guard<std::mutex> guard(signalLock);
    return OverlayShown(overlay);
}

bool CRenderState::OverlayShown(std::size_t overlay) const {
    return !paused && !(overlay < monitorPauses.size() && monitorPauses[overlay]);
}

bool CRenderState::AllPaused() const {
    if (paused)
        return true;
    for (std::size_t i = 0; i < overlayCount; ++i)
        if (OverlayShown(i))
            return false;
    return overlayCount != 0;
}

bool CRenderState::AwaitFrameTurn(std::chrono::steady_clock::time_point next) {
    std::unique_lock<std::mutex> lock(signalLock);
    while (Running()) {
        if (AllPaused()) {
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
        framesRendered.fetch_add(1, std::memory_order_relaxed);
        if (frameLimit > 0 && ++frames >= frameLimit)
            DropRunFlag();
        next = std::chrono::steady_clock::now() + std::chrono::milliseconds(frameSleepMs);
    }
    runningWorkers.fetch_sub(1, std::memory_order_acq_rel);
}
