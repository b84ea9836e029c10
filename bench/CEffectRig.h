#pragma once

#include "bench/CBenchRig.h"
#include "bench/CBenchWorkers.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CSetRipla.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <numeric>
#include <vector>

// The northern lights and the water (shipped or reference) with their frame steps made
// reachable, and a rig that starts either on the draw path asked for.
// TSet: the shipped set or its reference; kStepAll steps and draws an array of TItem.
template <class TSet, class TItem, auto kStepAll> class CBenchSprites : public TSet {
public:
    using TSet::ClearRows;
    using TSet::DrawsByStrips;
    using TSet::EndOfFrame;
    using TSet::OpacityRows;
    using TSet::PlanClear;
    using TSet::StepAndDraw;
    using TSet::TSet;
    // One worker alone on a band of one strip steps and draws every item, counting their
    // pixels; otherwise each moves its own and draws its slice of the band, as the frame
    // step does.
    int64_t StepWorker(int32_t worker) {
        CItem* items = this->workerItems[static_cast<std::size_t>(worker)];
        if (this->workerCount > 1 || this->DrawsByStrips()) {
            StepAndDraw(worker, items);
            return 0;
        }
        return (this->*kStepAll)(static_cast<TItem*>(items), this->itemsPerWorker);
    }
};
template <class TSet> using CBenchGlimra = CBenchSprites<TSet, CItemGlimra, &TSet::StepRays>;
template <class TSet> using CBenchRipla = CBenchSprites<TSet, CItemRipla, &TSet::StepSplashes>;

enum BenchPath { kReference, kSse2, kAvx2 }; // the bench's path argument

// With its render workers as the engine runs them (worker 0 on the calling thread, the
// others on long-lived threads woken for each frame); Frame runs one whole frame and
// returns the pixels that one worker alone drew (0 with several).
template <class TSet> struct Rig : CBenchRig<TSet> {
    Rig(int32_t width, int32_t height, int32_t workers, CDrawPath path, int32_t monitors)
        : CBenchRig<TSet>(width, height, workers), drawn(static_cast<std::size_t>(workers), 0) {
        this->set.drawPath = path;
        this->SetMonitorCount(monitors);
        this->Start();
        this->renderState.runFlag = 1; // the workers' wait for each other runs
        if (this->started)
            parts = std::make_unique<CBenchWorkers>(
                this->renderState, this->set.doneFlags.get(), workers, [this](int32_t worker) {
                    this->Part(worker, [&] { drawn[worker] = this->set.StepWorker(worker); });
                });
    }
    int64_t Frame() {
        this->PlanClear();
        parts->Run();
        this->EndOfFrame();
        benchmark::ClobberMemory();
        return std::accumulate(drawn.begin(), drawn.end(), int64_t{0});
    }

    std::vector<int64_t> drawn;           // by each worker, this frame
    std::unique_ptr<CBenchWorkers> parts; // once the set started
};
