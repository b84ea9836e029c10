#pragma once

#include "bench/CBenchRig.h"
#include "bench/CBenchWorkers.h"
#include "effects/fire/CSetEmbra.h"
#include "tests/reference/CSetEmbraReference.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <memory>

// The fire and its scalar reference with their frame steps made reachable, and a rig that
// runs whole frames of either on long-lived worker threads, as the engine does.
class CBenchEmbra : public CSetEmbra {
public:
    using CSetEmbra::AnimatedCount;
    using CSetEmbra::ClearRows;
    using CSetEmbra::CSetEmbra;
    using CSetEmbra::DrawsByStrips;
    using CSetEmbra::EndOfFrame;
    using CSetEmbra::OpacityRows;
    using CSetEmbra::PlanClear;
    using CSetEmbra::StepAndDraw;
};

class CBenchReference : public CSetEmbraReference {
public:
    using CSetEmbraReference::AnimatedCount;
    using CSetEmbraReference::ClearRows;
    using CSetEmbraReference::CSetEmbraReference;
    using CSetEmbraReference::DrawsByStrips;
    using CSetEmbraReference::EndOfFrame;
    using CSetEmbraReference::OpacityRows;
    using CSetEmbraReference::PlanClear;
    using CSetEmbraReference::StepAndDraw;
};

template <class TSet> struct FireRig : CBenchRig<TSet> {
    FireRig(int32_t width, int32_t height, int32_t workers, int32_t monitors = 1)
        : CBenchRig<TSet>(width, height, workers) {
        this->SetMonitorCount(monitors);
        this->Start();
        this->renderState.runFlag = 1; // the workers' wait for each other runs
        if (this->started)
            parts = std::make_unique<CBenchWorkers>(this->renderState, this->set.doneFlags.get(),
                                                    workers,
                                                    [this](int32_t worker) { StepWorker(worker); });
    }

    // Every flame ("items" 100) of the worker, as its frame step does; one worker alone on
    // a band of one strip steps and draws them one by one, as that step does, and counts
    // their pixels.
    void StepWorker(int32_t worker) {
        TSet& set = this->set;
        CItem* flames = set.workerItems[static_cast<std::size_t>(worker)];
        this->Part(worker, [&] {
            if (set.workerCount == 1 && !set.DrawsByStrips())
                pixels += set.StepFlames(static_cast<CItemEmbra*>(flames), set.AnimatedCount());
            else
                set.StepAndDraw(worker, flames);
        });
    }
    // One whole frame. Worker 0 runs on the calling thread, every other worker on a
    // long-lived thread woken for the frame, as the engine runs its render workers.
    void Frame() {
        this->PlanClear();
        parts->Run();
        this->EndOfFrame();
        benchmark::ClobberMemory();
    }

    int64_t pixels = 0;                   // drawn by one worker alone
    std::unique_ptr<CBenchWorkers> parts; // once the set started
};
