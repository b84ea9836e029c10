#pragma once

#include "bench/CFrameCostTable.h"
#include "effects/engine/CRandom.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "graphics/CBmp.h"
#include "tests/support/CStoreRig.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <vector>

// Milliseconds of CPU time that every thread of the process has taken so far.
inline double ProcessCpuMs() {
    return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// CPU milliseconds per frame and per sprite pixel drawn that the frame benchmarks of this
// run last measured on one 1920 x 1080 monitor, by effect and workers.
struct CFrameCost {
    double ms = 0;
    double msPerPixel = 0;
};
inline std::map<std::string, CFrameCost>& FrameCosts() {
    static std::map<std::string, CFrameCost> costs;
    return costs;
}

// Records a frame's CPU milliseconds in the run's CFrameCostTable and reports them as
// "cpu_ms" and, where this run measured them, the scalar fire's over it ("x_scalar_fire",
// the speed-up over the scalar fire) and it over the last run of the same effect and
// workers on one 1920 x 1080 monitor ("x_one_monitor"; per sprite pixel drawn,
// "x_one_monitor_px", when `pixels` per frame are known).
inline void ReportFrameCpu(benchmark::State& state, double cpuMs,
                           const CFrameCostTable::Case& frameCase, double pixels) {
    const double frames = static_cast<double>(state.iterations());
    const CFrameCost cost{cpuMs / frames, pixels > 0 ? cpuMs / frames / pixels : 0};
    CFrameCostTable::Run().Record(frameCase, cost.ms);
    const std::string name = frameCase.effect + ", workers " + std::to_string(frameCase.workers);
    std::map<std::string, CFrameCost>& costs = FrameCosts();
    state.counters["cpu_ms"] = cost.ms;
    if (frameCase.width == 1920 && frameCase.monitors == 1)
        costs[name] = cost;
    else if (costs.count(name) != 0 && costs[name].ms > 0) {
        state.counters["x_one_monitor"] = cost.ms / costs[name].ms;
        if (cost.msPerPixel > 0 && costs[name].msPerPixel > 0)
            state.counters["x_one_monitor_px"] = cost.msPerPixel / costs[name].msPerPixel;
    }
    const std::string scalar = "scalar fire, workers 1";
    if (costs.count(scalar) != 0 && cost.ms > 0)
        state.counters["x_scalar_fire"] = costs[scalar].ms / cost.ms;
}

// An effect set (TSet, its frame steps made reachable) in the rig of CStoreRig, with the
// steps of a frame that the workers take around the items: each clearing its rows of the
// band and applying the opacity to them, and worker 0 the set's renewals at the end of
// the frame (the fire's profiles, the lights' phase table), as the engine makes them.
// Nothing is started.
template <class TSet> struct CBenchRig : CStoreRig<TSet, CHeadlessDesktop> {
    using CStoreRig<TSet, CHeadlessDesktop>::CStoreRig;

    // `count` monitors of the primary's size side by side, each with a 40-pixel taskbar
    // along its bottom, before the start.
    void SetMonitorCount(int32_t count) {
        const DesktopRect primary = this->desktop.Monitors().at(0).screen;
        const int32_t width = primary.right - primary.left;
        std::vector<DesktopRect> screens;
        for (int32_t i = 0; i < count; ++i)
            screens.push_back({i * width, 0, (i + 1) * width, primary.bottom});
        this->desktop.SetMonitors(screens);
        for (std::size_t i = 0; i < screens.size(); ++i)
            this->desktop.SetTaskbar(i, TaskbarSide::Bottom, 40);
    }
    // Starts the set, the generator seeded with 1; `started` tells whether it did.
    void Start() {
        CRandom::Seed(1);
        started = this->renderState.StartRendering();
    }
    // Worker 0 before a frame, as in the engine: notes where the frame's clearing ends.
    void PlanClear() { this->set.PlanClear(); }
    // One worker's part, as in the engine: its rows of the band cleared, `step` (its
    // items), the opacity applied to its rows; a set that draws by strips does both itself.
    template <class TStep> void Part(int32_t worker, TStep step) {
        const bool wholeRows = !this->set.DrawsByStrips();
        if (wholeRows)
            this->set.ClearRows(worker);
        step();
        if (wholeRows)
            this->set.OpacityRows(worker);
    }
    void EndOfFrame() { this->set.EndOfFrame(); }

    bool started = false;
};
