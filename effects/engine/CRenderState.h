#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

class CSet;
class IDesktop;

// The render state of the application: the overlay on the desktop, the active set and
// the render workers. Every operation except the workers' own loop runs on the main
// thread; activeSet changes only while no worker runs.
class CRenderState {
public:
    explicit CRenderState(IDesktop* desktop);
    ~CRenderState();
    CRenderState(const CRenderState&) = delete;
    CRenderState& operator=(const CRenderState&) = delete;

    // Reads the screen size, creates the overlay W x 200 at the bottom of the screen and
    // starts the active set. When the set fails to start, it stays the active set, the
    // overlay stays hidden and the result is false.
    bool StartRendering();
    // Stops the active set and destroys the overlay; always true.
    bool StopRendering();

    // StartRendering, then one worker per processor; false (and no worker, no overlay)
    // without an active set, when rendering does not start or when workers are already
    // running.
    bool StartEffect();
    // The one way to stop the workers, for every caller: drops the run flag, waits until
    // every worker has left, joins them and stops rendering if it runs. Nothing more when
    // already stopped. Runs on the main thread.
    void StopEffect();
    // Waits in steps of 10 ms until runningWorkers is 0, through the desktop's pause, so
    // that a worker presenting meanwhile is answered rather than waited for forever.
    void WaitForWorkers() const;

    IDesktop* const desktop;
    std::atomic<int32_t> runFlag{0};        // 1 while the workers are to run
    std::atomic<int32_t> runningWorkers{0}; // workers that have not yet left
    int32_t processorCount;                 // number of render workers, at least 1
    CSet* activeSet = nullptr;              // the set being rendered, or null
    // Worker 0's pause after each frame (cut short by a stop). 0 renders frames back to
    // back (preview tool).
    int32_t frameSleepMs = 40;
    // When positive, worker 0 drops the run flag after presenting this many frames, so
    // that WaitForWorkers returns once they are rendered (preview tool).
    int32_t frameLimit = 0;

private:
    void RunWorker(int32_t index);
    // Worker 0's pause of frameSleepMs after a frame; ends early when the run flag drops.
    void PauseAfterFrame();

    std::vector<std::thread> workers; // joined by StopEffect
    bool overlayCreated = false;
    std::mutex pauseLock;
    std::condition_variable pauseEnd;
};
