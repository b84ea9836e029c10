#pragma once

#include "effects/engine/CRenderState.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// The render workers of a frame benchmark, as the engine runs them: worker 0 on the
// calling thread, every other worker on a thread that lives as long as this object and is
// woken for each frame. The hand-off is the engine's own (CFrameSet::Render): under the
// render state's signalLock worker 0 clears every worker's done flag and wakes
// frameStarted; each worker runs its part, sets its flag, and the last one wakes worker 0
// on partsDone. `doneFlags` holds one flag per worker, all set between frames (the set's).
class CBenchWorkers {
public:
    CBenchWorkers(CRenderState& state, std::atomic<int32_t>* doneFlags, int32_t count,
                  std::function<void(int32_t worker)> part)
        : state(state), doneFlags(doneFlags), count(count), part(std::move(part)) {
        for (int32_t worker = 1; worker < count; ++worker)
            threads.emplace_back([this, worker] { Loop(worker); });
    }
    ~CBenchWorkers() {
        state.Signal(state.frameStarted, [this] { leaving = true; });
        for (std::thread& thread : threads)
            thread.join();
    }
    CBenchWorkers(const CBenchWorkers&) = delete;
    CBenchWorkers& operator=(const CBenchWorkers&) = delete;

    // One frame's parts: wakes the other workers, runs worker 0's part and waits for theirs.
    void Run() {
        state.Signal(state.frameStarted, [this] {
            for (int32_t worker = 0; worker < count; ++worker)
                doneFlags[worker].store(0, std::memory_order_relaxed);
        });
        part(0);
        std::unique_lock<std::mutex> lock(state.signalLock);
        doneFlags[0].store(1, std::memory_order_relaxed);
        state.Wait(lock, state.partsDone, [this] { return AllDone(); });
    }

private:
    void Loop(int32_t worker) {
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(state.signalLock);
                state.Wait(lock, state.frameStarted, [&] {
                    return leaving || doneFlags[worker].load(std::memory_order_relaxed) == 0;
                });
                if (leaving)
                    return;
            }
            part(worker);
            bool last = false;
            {
                std::lock_guard<std::mutex> guard(state.signalLock);
                doneFlags[worker].store(1, std::memory_order_relaxed);
                last = AllDone();
            }
            if (last)
                state.partsDone.notify_all();
        }
    }
    bool AllDone() const { // under signalLock
        for (int32_t worker = 0; worker < count; ++worker)
            if (doneFlags[worker].load(std::memory_order_relaxed) == 0)
                return false;
        return true;
    }

    CRenderState& state;
    std::atomic<int32_t>* const doneFlags;
    const int32_t count;
    const std::function<void(int32_t)> part;
    std::vector<std::thread> threads;
    bool leaving = false; // under signalLock
};
