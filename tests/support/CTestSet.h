#pragma once

#include "effects/engine/CFrameSet.h"
#include "effects/engine/CItem.h"

#include <atomic>
#include <cstdint>
#include <string>

// An item of the test set: it remembers the worker whose array it is in.
class CTestItem : public CItem {
public:
    void Spawn(int initial, int a, int b) override;
    virtual ~CTestItem() = default;

    int32_t spawned = 0;
    int32_t worker = -1;
};

// A minimal effect set for the engine's tests. Every worker marks pixel (worker, MarkRow) of
// the band, the first row of its slice, with 0xFF000000 | n, n being the number of the
// frame (1 for the first), so a presented band shows which workers had drawn into it. Hooks can
// hold a worker inside a frame until the run flag drops, to stop the workers at a chosen point.
class CTestSet : public CFrameSet {
public:
    static constexpr int32_t kMaxWorkers = 8;

    explicit CTestSet(CRenderState* renderState);
    ~CTestSet() override;

    bool Start() override;
    bool Stop() override;
    bool Load() override { return true; }
    bool Save() override { return true; }
    void ShowSettings(void* parentWindow) override { (void)parentWindow; }

    // The mark a worker draws into frame `frame` (1 for the first).
    static uint32_t Mark(int32_t frame) { return 0xFF000000u | static_cast<uint32_t>(frame); }
    // The band row of a worker's mark.
    int32_t MarkRow(int worker) const;

    // Scripting.
    bool failStart = false;
    int32_t blockWorker = -1; // this worker's draw of frame blockFrame waits, undrawn
    int32_t blockFrame = 0;
    int32_t blockEndOfFrame = 0; // worker 0 waits at the end of this frame
    bool recordSteps = false;    // single-threaded tests: keep the order of the hooks
    uint32_t opacityMark = 0;    // when non-zero, ApplyOpacity stores it at its rows' end

    // Observations.
    std::atomic<int32_t> starts{0};
    std::atomic<int32_t> stops{0};
    std::atomic<int32_t> workersAtStop{-1}; // runningWorkers when Stop last ran
    std::atomic<int32_t> frames{0};         // frames ended by worker 0
    std::atomic<int32_t> draws[kMaxWorkers] = {};
    std::atomic<bool> blocked{false}; // a hook is holding its worker
    std::string steps;

protected:
    // Presents where the overlay is.
    void PlaceBands() override;
    void ResetFrameState() override;
    void StepAndDraw(int worker, CItem* items) override;
    void ApplyOpacity(CBmp& band) override;
    void EndOfFrame() override;
    void AfterPresent() override;

private:
    void HoldUntilStopped();
    void Record(const char* step);
};
