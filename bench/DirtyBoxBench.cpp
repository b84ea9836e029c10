// The bound of a band's non-zero pixels that worker 0 finds every frame: a band that is
// all zero (every row read whole), one that is full, and the bands the effects present
// (after 60 frames at "vis" 50), 200 rows at 1280 and 1920 wide. The counter "shown" is
// the share of the band that the dirty rectangle of the last frame covers.

#include "effects/engine/CRandom.h"
#include "effects/engine/CRenderState.h"
#include "effects/engine/DirtyBox.h"
#include "effects/fire/CSetEmbra.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CSetRipla.h"
#include "graphics/CBmp.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>

namespace {

enum BandKind { kEmpty, kFull, kFire, kLights, kWater };

// Makes `band` of the kind's pixels; for an effect, the last one it presented, and the part
// that its last presentation showed anew.
void MakeBand(int kind, int32_t width, CBmp& band, DesktopRect* shown) {
    *shown = {};
    if (kind == kEmpty || kind == kFull) {
        band.Create(width, 200);
        if (kind == kFull)
            band.Fill(0x40302010u);
        return;
    }
    CHeadlessDesktop desktop(width, width * 9 / 16);
    desktop.SetTaskbar(TaskbarSide::Bottom, 40);
    CRenderState renderState(&desktop);
    renderState.processorCount = 1;
    std::unique_ptr<CFrameSet> set;
    if (kind == kFire)
        set = std::make_unique<CSetEmbra>(nullptr, &renderState);
    else if (kind == kLights)
        set = std::make_unique<CSetGlimra>(nullptr, &renderState);
    else
        set = std::make_unique<CSetRipla>(nullptr, &renderState);
    CRandom::Seed(1);
    renderState.activeSet = set.get();
    if (renderState.StartRendering()) {
        std::atomic<int32_t> run{1};
        for (int k = 0; k < 60; ++k)
            set->Render(0, &run);
        desktop.CopyLastPresented(&band);
        *shown = desktop.LastShownPart();
    }
    renderState.StopRendering();
    renderState.activeSet = nullptr;
}

void NonZeroBoxOf(benchmark::State& state) {
    DesktopRect shown;
    CBmp band;
    MakeBand(static_cast<int>(state.range(0)), static_cast<int32_t>(state.range(1)), band, &shown);
    for (auto _ : state)
        benchmark::DoNotOptimize(NonZeroBox(band));
    const double area = static_cast<double>(band.width) * band.height;
    state.counters["shown"] =
        area > 0 ? (shown.right - shown.left) * static_cast<double>(shown.bottom - shown.top) / area
                 : 0;
}

} // namespace

BENCHMARK(NonZeroBoxOf)
    ->ArgNames({"band", "width"})
    ->ArgsProduct({{kEmpty, kFull, kFire, kLights, kWater}, {1280, 1920}})
    ->Unit(benchmark::kMicrosecond);
