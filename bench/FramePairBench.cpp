// Two frames in turn in one loop, each timed on the process's CPU clock (every thread), so
// that a drift in the machine's speed, which moves runs taken minutes apart by 20 % and
// more, weighs on both alike. Each case pairs an effect's frame on one 1920 x 1080 monitor
// with one worker (the base) with one other frame: the scalar fire's, 2 or 3 monitors of
// 1920 x 1080 side by side, one monitor of 3840 x 2160, or two workers. The counter "ratio"
// is the other frame's CPU time over the base's; for the scalar fire, the scalar fire's
// over the base's (the speed-up). The run's cost table prints each case's median ratio.

#include "bench/CBenchRig.h"
#include "bench/CEffectRig.h"
#include "bench/CFireRig.h"
#include "bench/CFrameCostTable.h"
#include "effects/engine/ScreenSize.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// One rig that renders whole frames.
class IFrameRunner {
public:
    virtual ~IFrameRunner() = default;
    virtual bool Started() const = 0;
    virtual void Frame() = 0;
};

// The canvas is process-wide and read by the sets and items while they run (the program
// runs one set at a time), so each runner puts back the canvas its rig started with
// before each of its frames, while the other rig's workers wait.
template <class TRig> class CRunner : public IFrameRunner {
public:
    template <class... TArgs>
    explicit CRunner(TArgs... args)
        : rig(args...), width(screenWidth), height(screenHeight), slices(canvasSlices) {}
    bool Started() const override { return rig.started; }
    void Frame() override {
        screenWidth = width;
        screenHeight = height;
        canvasSlices = slices;
        rig.Frame();
    }

private:
    TRig rig;
    const int32_t width;
    const int32_t height;
    const std::vector<CanvasSlice> slices;
};

enum PairEffect { kFire, kLights, kWater };
const char* const kEffectNames[] = {"fire", "lights", "water"};

struct Shape {
    int32_t width = 1920;
    int32_t height = 1080;
    int32_t workers = 1;
    int32_t monitors = 1;
};

// The other frame's shape by the case (the table's column; the scalar fire's is the base's).
Shape ShapeOf(int column) {
    switch (column) {
    case CFrameCostTable::kTwoMonitors:
        return {1920, 1080, 1, 2};
    case CFrameCostTable::kThreeMonitors:
        return {1920, 1080, 1, 3};
    case CFrameCostTable::kWide:
        return {3840, 2160, 1, 1};
    case CFrameCostTable::kTwoWorkers:
        return {1920, 1080, 2, 1};
    default:
        return {};
    }
}

std::unique_ptr<IFrameRunner> MakeRunner(int effect, CDrawPath path, const Shape& shape) {
    const Shape& s = shape;
    switch (effect) {
    case kLights:
        return std::make_unique<CRunner<Rig<CBenchGlimra<CSetGlimra>>>>(
            s.width, s.height, s.workers, path, s.monitors);
    case kWater:
        return std::make_unique<CRunner<Rig<CBenchRipla<CSetRipla>>>>(s.width, s.height, s.workers,
                                                                      path, s.monitors);
    default:
        return std::make_unique<CRunner<FireRig<CBenchEmbra>>>(s.width, s.height, s.workers,
                                                               s.monitors);
    }
}

// CPU milliseconds that one frame of `runner` takes.
double FrameMs(IFrameRunner& runner) {
    const double start = ProcessCpuMs();
    runner.Frame();
    return ProcessCpuMs() - start;
}

// Arguments: the effect (PairEffect), the draw path (1 SSE2, 2 AVX2; the fire takes its
// own) and the column of the cost table that the case gives.
void FramePair(benchmark::State& state) {
    const int effect = static_cast<int>(state.range(0));
    const CDrawPath path = state.range(1) == kAvx2 ? CDrawPath::Avx2 : CDrawPath::Sse2;
    const int column = static_cast<int>(state.range(2));
    if (effect != kFire && path == CDrawPath::Avx2 && FastestDrawPath() != CDrawPath::Avx2) {
        state.SkipWithError("no AVX2 on this processor");
        return;
    }
    std::unique_ptr<IFrameRunner> base = MakeRunner(effect, path, {});
    std::unique_ptr<IFrameRunner> other =
        column == CFrameCostTable::kScalarFireOver
            ? std::make_unique<CRunner<FireRig<CBenchReference>>>(1920, 1080, 1, 1)
            : MakeRunner(effect, path, ShapeOf(column));
    if (!base->Started() || !other->Started()) {
        state.SkipWithError("the effect did not start");
        return;
    }
    double baseMs = 0;
    double otherMs = 0;
    for (auto _ : state) {
        baseMs += FrameMs(*base);
        otherMs += FrameMs(*other);
    }
    const std::string name = effect == kFire ? std::string(kEffectNames[effect])
                                             : std::string(kEffectNames[effect]) +
                                                   (path == CDrawPath::Avx2 ? ", AVX2" : ", SSE2");
    const double ratio = baseMs > 0 ? otherMs / baseMs : 0;
    state.counters["ratio"] = ratio;
    state.counters["base_ms"] = baseMs / static_cast<double>(state.iterations());
    CFrameCostTable::Run().RecordRatio(name, column, ratio);
    CFrameCostTable::Run().Record({name}, baseMs / static_cast<double>(state.iterations()));
}

// The fire on its own path, then the lights and the water on SSE2 and AVX2; every column.
void Pairs(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"effect", "path", "column"});
    for (const int64_t effect : {kFire, kLights, kWater})
        for (const int64_t path : {kSse2, kAvx2})
            for (int64_t column = 0; column < CFrameCostTable::kColumns; ++column)
                if (effect != kFire || path == kAvx2)
                    bench->Args({effect, effect == kFire ? 0 : path, column});
    bench->Unit(benchmark::kMillisecond);
}

BENCHMARK(FramePair)->Apply(Pairs);

} // namespace
