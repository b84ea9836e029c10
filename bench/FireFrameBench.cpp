// One frame of the fire as the render workers compute it: worker 0 clears the presented
// band, every worker steps and draws its flames, worker 0 applies the opacity. Reports
// the time per frame and the time per sprite pixel drawn (the pixels the blend visited).

#include "effects/CHeadlessDesktop.h"
#include "effects/CRandom.h"
#include "effects/CRenderState.h"
#include "effects/CSetEmbra.h"
#include "params/CMemoryBackend.h"
#include "params/CSettingsStore.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

namespace {

class CBenchEmbra : public CSetEmbra {
public:
    using CSetEmbra::ApplyOpacity;
    using CSetEmbra::CSetEmbra;
};

struct FireRig {
    FireRig(int32_t width, int32_t height, int32_t workers)
        : desktop(width, height), store(true, "Lumavist", "Embra"), renderState(&desktop),
          set(&store, &renderState) {
        store.SetBackend(std::make_unique<CMemoryBackend>());
        desktop.SetTaskbar(TaskbarEdge::Bottom, 40);
        renderState.processorCount = workers;
        renderState.activeSet = &set;
        CRandom::Seed(1);
        started = renderState.StartRendering();
    }
    ~FireRig() { renderState.StopRendering(); }

    void ClearBand() {
        std::memset(set.frameBuffer.pixels + std::size_t{4} * set.BandTop() * set.frameBuffer.width,
                    0, std::size_t{4} * set.BandRows() * set.frameBuffer.width);
    }
    int64_t StepWorker(int32_t worker) {
        CItemEmbra* flames = static_cast<CItemEmbra*>(set.workerItems[worker]);
        return set.StepFlames(flames, set.itemsPerWorker); // "items" 100: every flame
    }
    void Opacity() {
        CBmp band;
        band.Wrap(set.frameBuffer.pixels, set.BandTop() * set.frameBuffer.width * 4,
                  set.frameBuffer.width, set.BandRows());
        set.ApplyOpacity(band); // "vis" 50
    }

    CHeadlessDesktop desktop;
    CSettingsStore store;
    CRenderState renderState;
    CBenchEmbra set;
    bool started = false;
};

// Arguments: width, height, workers. Worker 0 runs on the benchmark's thread, worker 1
// (if any) on a thread started for the frame, as the engine's worker would be woken.
void FireFrame(benchmark::State& state) {
    const int32_t workers = static_cast<int32_t>(state.range(2));
    FireRig rig(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)),
                workers);
    if (!rig.started) {
        state.SkipWithError("the fire did not start");
        return;
    }
    int64_t pixels = 0;
    double nanoseconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        rig.ClearBand();
        int64_t otherPixels = 0;
        std::thread other;
        if (workers > 1)
            other = std::thread([&] { otherPixels = rig.StepWorker(1); });
        pixels += rig.StepWorker(0);
        if (other.joinable())
            other.join();
        pixels += otherPixels;
        rig.Opacity();
        benchmark::ClobberMemory();
        nanoseconds +=
            std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start)
                .count();
    }
    state.counters["sprite_px"] =
        benchmark::Counter(static_cast<double>(pixels) / static_cast<double>(state.iterations()));
    state.counters["ns_per_px"] = pixels ? nanoseconds / static_cast<double>(pixels) : 0.0;
}

BENCHMARK(FireFrame)
    ->ArgNames({"W", "H", "workers"})
    ->Args({1920, 1080, 1})
    ->Args({1920, 1080, 2})
    ->Args({3840, 2160, 1})
    ->Args({3840, 2160, 2})
    ->Unit(benchmark::kMillisecond);

} // namespace
