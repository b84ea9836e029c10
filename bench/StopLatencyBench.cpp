#include "effects/engine/CFrameSet.h"
#include "effects/engine/CRenderState.h"
#include "effects/headless/CHeadlessDesktop.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <thread>

// How long the render workers take to leave once the run flag drops: the time from the
// drop to the moment the count of running workers is 0, sampled at random points of the
// frame cycle (worker 0's 45 ms pause, its wait for the others, their waits for the next
// frame). Also counts how often the workers' waits woke, per presented frame.
namespace {

using Clock = std::chrono::steady_clock;

// A set whose workers each draw a short line into the band.
class CLineSet : public CFrameSet {
public:
    explicit CLineSet(CRenderState* renderState) : CFrameSet(nullptr, renderState, "Bench") {}
    ~CLineSet() override { Stop(); }

    bool Start() override {
        Stop();
        return AllocateFrame();
    }
    bool Stop() override {
        ReleaseFrame();
        return true;
    }
    bool Load() override { return true; }
    bool Save() override { return true; }
    void ShowSettings(void*) override {}

protected:
    void StepAndDraw(int worker, CItem*) override {
        for (int32_t x = 0; x < 100 && x < frameBuffer.width; ++x)
            frameBuffer.SetPixel(x, BandTop() + worker, 0xFF808080u);
    }
};

void WaitFor(const std::atomic<int32_t>& value, int32_t expected) {
    while (value.load(std::memory_order_acquire) != expected)
        std::this_thread::yield();
}

void StopLatency(benchmark::State& state) {
    CHeadlessDesktop desktop(1920, 1080);
    CRenderState render(&desktop);
    render.processorCount = static_cast<int32_t>(state.range(0));
    CLineSet set(&render);
    render.activeSet = &set;
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> phase(0, 45);
    double stopCallSeconds = 0;
    for (auto _ : state) {
        if (!render.StartEffect()) {
            state.SkipWithError("rendering did not start");
            return;
        }
        const int32_t presented = desktop.PresentCount();
        while (desktop.PresentCount() < presented + 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(phase(random)));

        Clock::time_point dropped;
        Clock::time_point ended;
        std::thread observer([&] {
            WaitFor(render.runFlag, 0);
            dropped = Clock::now();
            WaitFor(render.runningWorkers, 0);
            ended = Clock::now();
        });
        const Clock::time_point call = Clock::now();
        render.StopEffect();
        stopCallSeconds += std::chrono::duration<double>(Clock::now() - call).count();
        observer.join();
        state.SetIterationTime(std::chrono::duration<double>(ended - dropped).count());
    }
    state.counters["stop_call_ms"] =
        benchmark::Counter(stopCallSeconds * 1000, benchmark::Counter::kAvgIterations);
    state.counters["wake_ups_per_frame"] =
        static_cast<double>(render.wakeUps.load()) / std::max(1, desktop.PresentCount());
}

} // namespace

// Argument: the number of render workers.
BENCHMARK(StopLatency)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Iterations(40)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
