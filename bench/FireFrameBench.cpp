// One frame of the fire as the render workers compute it, on long-lived worker threads woken
// for each frame as in the engine: every worker clears its rows of the presented band, steps
// and draws its flames and applies the opacity to its rows; worker 0 renews the profiles
// when their time is up. FireFrameReference runs the plain scalar reference
// (first, so that the others compare with it), FireFrame the shipped renderer, and
// FireSpeedup both in alternation in one loop, reporting each one's milliseconds per
// frame and the reference's time over the shipped renderer's (the speed-up). The CPU time
// is that of every thread of the process, so that with several workers it shows the work
// of all of them and not only of the calling thread; the counters of ReportFrameCpu
// compare it with the scalar fire and with one monitor. With one worker, "sprite_px"
// counts the flames' pixels inside the frame buffer per frame: the profiles decide how
// long the flames live, so it tells how much of a difference in time is the work's.

#include "bench/CBenchRig.h"
#include "bench/CFireRig.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Arguments: width, height, workers; `monitors` of that size side by side (the canvas is as
// wide as all of them). `effect` names the row of the run's cost table.
template <class TSet>
void FireFrameOf(benchmark::State& state, int32_t monitors, const std::string& effect) {
    const int32_t width = static_cast<int32_t>(state.range(0));
    const int32_t workers = static_cast<int32_t>(state.range(2));
    FireRig<TSet> rig(width, static_cast<int32_t>(state.range(1)), workers, monitors);
    if (!rig.started) {
        state.SkipWithError("the fire did not start");
        return;
    }
    const double start = ProcessCpuMs();
    for (auto _ : state)
        rig.Frame();
    const double pixels = static_cast<double>(rig.pixels) / static_cast<double>(state.iterations());
    ReportFrameCpu(state, ProcessCpuMs() - start, {effect, width, monitors, workers}, pixels);
    if (workers == 1)
        state.counters["sprite_px"] = pixels;
}

void FireFrame(benchmark::State& state) {
    FireFrameOf<CBenchEmbra>(state, static_cast<int32_t>(state.range(3)), "fire");
}

void FireFrameReference(benchmark::State& state) {
    FireFrameOf<CBenchReference>(state, 1, "scalar fire");
}

// Arguments: width, height; one worker. Every iteration renders one reference frame and
// one frame of the shipped renderer, so that both see the same load of the machine.
void FireSpeedup(benchmark::State& state) {
    const int32_t width = static_cast<int32_t>(state.range(0));
    const int32_t height = static_cast<int32_t>(state.range(1));
    FireRig<CBenchReference> reference(width, height, 1);
    FireRig<CBenchEmbra> fast(width, height, 1);
    if (!reference.started || !fast.started) {
        state.SkipWithError("the fire did not start");
        return;
    }
    double referenceMs = 0;
    double fastMs = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        reference.Frame();
        referenceMs += MillisecondsSince(start);
        start = std::chrono::steady_clock::now();
        fast.Frame();
        fastMs += MillisecondsSince(start);
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["reference_ms"] = referenceMs / frames;
    state.counters["fast_ms"] = fastMs / frames;
    state.counters["speedup"] = fastMs > 0 ? referenceMs / fastMs : 0.0;
}

// The widths of the README's cost table, each with 1, 2 and 4 workers on one monitor; then
// 2 and 3 monitors of 1920 x 1080.
void FireSizes(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"W", "H", "workers", "monitors"});
    for (const int64_t height : {720, 1080, 1440, 2160})
        for (const int64_t workers : {1, 2, 4})
            bench->Args({height * 16 / 9, height, workers, 1});
    for (const int64_t monitors : {2, 3})
        for (const int64_t workers : {1, 2, 4})
            bench->Args({1920, 1080, workers, monitors});
}

// One worker: the reference draws its flames on every row of the band, which each worker's
// clearing and scaling of its own rows leaves to that worker alone.
BENCHMARK(FireFrameReference)
    ->ArgNames({"W", "H", "workers"})
    ->Args({1920, 1080, 1})
    ->Args({3840, 2160, 1})
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK(FireFrame)->Apply(FireSizes)->MeasureProcessCPUTime()->UseRealTime()->Unit(
    benchmark::kMillisecond);

BENCHMARK(FireSpeedup)
    ->ArgNames({"W", "H"})
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond);

} // namespace
