// One frame of the northern lights and of the water as the render workers compute it:
// worker 0 clears the presented band, every worker steps and draws its items, worker 0
// applies the opacity. Reports the time per frame and per frame pixel drawn (the pixels
// the draw loops visited).

#include "effects/CHeadlessDesktop.h"
#include "effects/CRandom.h"
#include "effects/CRenderState.h"
#include "effects/CSetGlimra.h"
#include "effects/CSetRipla.h"
#include "params/CMemoryBackend.h"
#include "params/CSettingsStore.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

namespace {

class CBenchGlimra : public CSetGlimra {
public:
    using CSetGlimra::ApplyOpacity;
    using CSetGlimra::CSetGlimra;
    int64_t StepWorker(int32_t worker) {
        return StepRays(static_cast<CItemGlimra*>(workerItems[worker]), itemsPerWorker);
    }
};

class CBenchRipla : public CSetRipla {
public:
    using CSetRipla::ApplyOpacity;
    using CSetRipla::CSetRipla;
    int64_t StepWorker(int32_t worker) {
        return StepSplashes(static_cast<CItemRipla*>(workerItems[worker]), itemsPerWorker);
    }
};

template <class TSet> struct Rig {
    Rig(int32_t width, int32_t height, int32_t workers)
        : desktop(width, height), store(true, "Lumavist", "Embra"), renderState(&desktop),
          set(&store, &renderState) {
        store.SetBackend(std::make_unique<CMemoryBackend>());
        desktop.SetTaskbar(TaskbarEdge::Bottom, 40);
        renderState.processorCount = workers;
        renderState.activeSet = &set;
        CRandom::Seed(1);
        started = renderState.StartRendering();
    }
    ~Rig() { renderState.StopRendering(); }

    void ClearBand() {
        std::memset(set.frameBuffer.pixels + std::size_t{4} * set.BandTop() * set.frameBuffer.width,
                    0, std::size_t{4} * set.BandRows() * set.frameBuffer.width);
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
    TSet set;
    bool started = false;
};

// Arguments: width, height, workers. Worker 0 runs on the benchmark's thread, worker 1
// (if any) on a thread started for the frame, as the engine's worker would be woken.
template <class TSet> void EffectFrame(benchmark::State& state) {
    const int32_t workers = static_cast<int32_t>(state.range(2));
    Rig<TSet> rig(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)),
                  workers);
    if (!rig.started) {
        state.SkipWithError("the effect did not start");
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
            other = std::thread([&] { otherPixels = rig.set.StepWorker(1); });
        pixels += rig.set.StepWorker(0);
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

void GlimraFrame(benchmark::State& state) {
    EffectFrame<CBenchGlimra>(state);
}
void RiplaFrame(benchmark::State& state) {
    EffectFrame<CBenchRipla>(state);
}

BENCHMARK(GlimraFrame)
    ->ArgNames({"W", "H", "workers"})
    ->Args({1920, 1080, 1})
    ->Args({1920, 1080, 2})
    ->Args({3840, 2160, 1})
    ->Args({3840, 2160, 2})
    ->Unit(benchmark::kMillisecond);

BENCHMARK(RiplaFrame)
    ->ArgNames({"W", "H", "workers"})
    ->Args({1920, 1080, 1})
    ->Args({1920, 1080, 2})
    ->Args({3840, 2160, 1})
    ->Args({3840, 2160, 2})
    ->Unit(benchmark::kMillisecond);

} // namespace
