// One frame of the northern lights and of the water as the render workers compute it
// (long-lived worker threads woken for each frame, as in the engine):
// every worker clears its rows of the presented band, steps and draws its items (with
// several, moves its own and draws all of them on its slice of the band) and applies the
// opacity to its rows. Each size runs with the plain reference loops (path 0), the SSE2
// path (1) and, where the processor has it, the AVX2 path (2); the fast runs report
// speedup, the reference's time per frame of the same size and worker count in this run
// divided by their own. With one worker also reports the time per frame pixel drawn (the
// pixels the draw loops visited), and the counters of ReportFrameCpu. Worker 0 makes the set's
// renewals at the end of each frame, as the engine does.

#include "bench/CBenchRig.h"
#include "bench/CEffectRig.h"
#include "tests/reference/CSetGlimraReference.h"
#include "tests/reference/CSetRiplaReference.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <string>
#include <tuple>

namespace {

// Milliseconds per frame of the reference runs so far, by effect, size, workers and
// monitors.
std::map<std::tuple<int, int64_t, int64_t, int64_t, int64_t>, double>& ReferenceTimes() {
    static std::map<std::tuple<int, int64_t, int64_t, int64_t, int64_t>, double> times;
    return times;
}

// Arguments: width, height, workers, path (0 reference, 1 SSE2, 2 AVX2), monitors of that
// size side by side; TSet is the reference set for path 0. Worker 0 runs on the benchmark's
// thread, every other worker on a long-lived thread woken for each frame, as the engine runs
// its render workers (CBenchWorkers). The CPU time is that of every thread of the process.
template <class TSet> void EffectFrame(benchmark::State& state, int effect) {
    const int32_t workers = static_cast<int32_t>(state.range(2));
    const bool fast = state.range(3) != kReference;
    const CDrawPath path = state.range(3) == kAvx2 ? CDrawPath::Avx2 : CDrawPath::Sse2;
    if (path == CDrawPath::Avx2 && FastestDrawPath() != CDrawPath::Avx2) {
        state.SkipWithError("no AVX2 on this processor");
        return;
    }
    Rig<TSet> rig(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)),
                  workers, path, static_cast<int32_t>(state.range(4)));
    if (!rig.started) {
        state.SkipWithError("the effect did not start");
        return;
    }
    int64_t pixels = 0;
    double nanoseconds = 0;
    const double cpuStart = ProcessCpuMs();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        pixels += rig.Frame();
        nanoseconds +=
            std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start)
                .count();
    }
    const double pixelsPerFrame =
        static_cast<double>(pixels) / static_cast<double>(state.iterations());
    if (workers == 1)
        state.counters["sprite_px"] = benchmark::Counter(pixelsPerFrame);
    static const char* const kEffects[] = {"lights", "water"};
    static const char* const kPaths[] = {"reference", "SSE2", "AVX2"};
    ReportFrameCpu(state, ProcessCpuMs() - cpuStart,
                   {std::string(kEffects[effect]) + ", " + kPaths[state.range(3)], state.range(0),
                    state.range(4), workers},
                   pixelsPerFrame);
    if (pixels != 0)
        state.counters["ns_per_px"] = nanoseconds / static_cast<double>(pixels);
    const double frameMs = nanoseconds / 1e6 / static_cast<double>(state.iterations());
    state.counters["frame_ms"] = frameMs;
    const auto key =
        std::make_tuple(effect, state.range(0), state.range(1), state.range(2), state.range(4));
    if (!fast)
        ReferenceTimes()[key] = frameMs;
    else if (ReferenceTimes().count(key) != 0)
        state.counters["speedup"] = ReferenceTimes()[key] / frameMs;
}

void GlimraFrame(benchmark::State& state) {
    if (state.range(3) == kReference)
        EffectFrame<CBenchGlimra<CSetGlimraReference>>(state, 0);
    else
        EffectFrame<CBenchGlimra<CSetGlimra>>(state, 0);
}
void RiplaFrame(benchmark::State& state) {
    if (state.range(3) == kReference)
        EffectFrame<CBenchRipla<CSetRiplaReference>>(state, 1);
    else
        EffectFrame<CBenchRipla<CSetRipla>>(state, 1);
}

// Each size of the README's cost table and worker count on one monitor, then 2 and 3
// monitors of 1920 x 1080: the reference first, then the fast paths. The reference runs
// with one worker only: it draws its items on every row of the band, which each worker's
// clearing and scaling of its own rows leaves to that worker alone.
void Sizes(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"W", "H", "workers", "path", "monitors"});
    const auto add = [bench](int64_t width, int64_t height, int64_t monitors) {
        for (const int64_t workers : {1, 2, 4})
            for (const int64_t path : {kReference, kSse2, kAvx2})
                if (path != kReference || workers == 1)
                    bench->Args({width, height, workers, path, monitors});
    };
    for (const int64_t size : {720, 1080, 1440, 2160})
        add(size * 16 / 9, size, 1);
    for (const int64_t monitors : {2, 3})
        add(1920, 1080, monitors);
    bench->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(GlimraFrame)->Apply(Sizes);
BENCHMARK(RiplaFrame)->Apply(Sizes);

} // namespace
