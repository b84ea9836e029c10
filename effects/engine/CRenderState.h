#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "effects/engine/IDesktop.h"

class CSet;

// The render state of the application: the overlay on the desktop, the active set and
// the render workers. Every operation except the workers' own loop runs on the main
// thread; activeSet changes only while no worker runs.
//
// The workers never poll: each waits on a condition variable under signalLock, the
// workers other than 0 for worker 0 to start the next frame, worker 0 for the others to
// finish it and then for the next frame's time, which a deadline stands for. A stop
// wakes every wait at once; while paused, worker 0 waits without a deadline, so no thread
// wakes until the effect resumes or stops.
class CRenderState {
public:
    explicit CRenderState(IDesktop* desktop);
    ~CRenderState();
    CRenderState(const CRenderState&) = delete;
    CRenderState& operator=(const CRenderState&) = delete;

    // Reads the monitors once into the canvas (canvasSlices, which the set's start and
    // placement take over), creates one overlay per monitor (its slice's width x 200 at
    // the bottom of the monitor) and starts the active set; an overlay is shown unless the
    // effect or its monitor is paused. A changed monitor list drops the wishes of
    // SetMonitorPaused. When the set fails to start, it stays the active set, the overlays
    // stay hidden and the result is false.
    bool StartRendering();
    // Stops the active set and destroys every overlay; always true.
    bool StopRendering();

    // StartRendering, then one worker per processor; false (and no worker, no overlay)
    // without an active set, when rendering does not start, when a worker's thread cannot
    // be made (the workers made by then are stopped) or when workers are already running.
    bool StartEffect();
    // The one way to stop the workers, for every caller: drops the run flag, waits until
    // every worker has left, joins them and stops rendering if it runs. Nothing more when
    // already stopped. Runs on the main thread.
    void StopEffect();
    // Waits in steps of 10 ms until runningWorkers is 0, through the desktop's pause, so
    // that a worker presenting meanwhile is answered rather than waited for forever.
    void WaitForWorkers() const;

    // Pausing keeps the workers and the set's state: the overlay is hidden and worker 0
    // starts no frame (a frame being drawn is finished) until the pause ends, when the
    // overlay shows again and the next frame follows at once. The wish outlasts stops: a
    // start while paused creates the overlay hidden and draws nothing.
    void SetPaused(bool paused);
    bool Paused() const;
    // Pausing one monitor's band (its index in the list the last start read): its overlay
    // is hidden and nothing is copied or presented to it while the others go on; with every
    // monitor paused, worker 0 starts no frame as with SetPaused. The wish outlasts stops
    // but not a change of the monitor list.
    void SetMonitorPaused(std::size_t monitor, bool paused);
    bool MonitorPaused(std::size_t monitor) const;

    // What a placement on the main thread may do to the overlays now.
    enum class Placement {
        None,     // there are none, or the workers are leaving: nothing
        MoveOnly, // the workers run: move them; worker 0 resizes their surfaces
        Any,      // rendering runs without workers (a start places them): move and resize
    };
    Placement AllowedPlacement() const;

    // Drops the run flag and wakes every wait of the workers; any thread.
    void DropRunFlag();
    // Runs `change` under signalLock and wakes every thread waiting on `wake`.
    template <class TChange> void Signal(std::condition_variable& wake, TChange change) {
        {
            std::lock_guard<std::mutex> guard(signalLock);
            change();
        }
        wake.notify_all();
    }
    // Waits on `wake` under `lock` (holding signalLock) until `done` holds, counting the
    // wake-ups.
    template <class TDone>
    void Wait(std::unique_lock<std::mutex>& lock, std::condition_variable& wake, TDone done) {
        while (!done()) {
            wake.wait(lock);
            wakeUps.fetch_add(1, std::memory_order_relaxed);
        }
    }

    // The monitors with their taskbars as the last start read them.
    const std::vector<MonitorArea>& Monitors() const { return monitors; }

    IDesktop* const desktop;
    std::atomic<int32_t> runFlag{0};        // 1 while the workers are to run
    std::atomic<int32_t> runningWorkers{0}; // workers that have not yet left
    int32_t processorCount;                 // number of render workers, at least 1
    CSet* activeSet = nullptr;              // the set being rendered, or null
    // Worker 0's pause after each frame (cut short by a stop): a frame takes a little over
    // this plus the drawing. 0 renders frames back to back (preview tool).
    int32_t frameSleepMs = 45;
    // When positive, worker 0 drops the run flag after presenting this many frames, so
    // that WaitForWorkers returns once they are rendered (preview tool).
    int32_t frameLimit = 0;
    // Makes the thread of a render worker that runs `work`; std::thread unless a test
    // stands in one that throws std::system_error, as std::thread does when the system
    // refuses a thread.
    std::function<std::thread(std::function<void()> work)> makeThread =
        [](std::function<void()> work) { return std::thread(std::move(work)); };

    // The frame hand-off of the workers: the lock every wait holds, the wake-up of the
    // workers waiting for a frame to start, and worker 0's for the others to finish.
    mutable std::mutex signalLock;
    std::condition_variable frameStarted;
    std::condition_variable partsDone;
    // Every wake-up of a worker's wait (the deadline of the frame's pause included).
    std::atomic<int64_t> wakeUps{0};
    // Every frame worker 0 has finished, over all starts: what the measuring tool divides by.
    std::atomic<int64_t> framesRendered{0};
    // Worker 0 waits for the pause to end (set and read under signalLock).
    std::atomic<bool> parked{false};

private:
    void RunWorker(int32_t index);
    // Worker 0 before each frame: waits until `next` and while paused; false once the
    // run flag drops.
    bool AwaitFrameTurn(std::chrono::steady_clock::time_point next);
    // A worker with no set to render: waits for the stop.
    void AwaitStop();
    bool Running() const { return runFlag.load(std::memory_order_acquire) != 0; }
    // Under signalLock: the effect or every monitor is paused.
    bool AllPaused() const;
    bool OverlayShown(std::size_t overlay) const; // under signalLock
    bool ShownNow(std::size_t overlay) const;     // takes signalLock
    // Takes over a new monitor list, dropping the monitors' pauses when it changed.
    void ReadMonitors();
    // One thread per processor; false when one cannot be made (those made are left to
    // StopEffect).
    bool StartWorkers();

    std::vector<std::thread> workers; // joined by StopEffect
    bool overlayCreated = false;
    bool paused = false;               // under signalLock
    std::vector<MonitorArea> monitors; // as the last start read them
    std::vector<bool> monitorPauses;   // by monitor index, under signalLock
    std::size_t overlayCount = 0;      // under signalLock
    std::condition_variable frameTurn; // worker 0's pause and the pause's end
};
