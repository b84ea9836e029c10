#pragma once

#include "effects/engine/CRandom.h"
#include "effects/engine/CRenderState.h"
#include "effects/fire/CSetEmbra.h"
#include "params/CMemoryBackend.h"
#include "params/CSettingsStore.h"
#include "support/CArtDesktop.h"
#include "tests/reference/CSetEmbraReference.h"

#include <atomic>
#include <cstdint>
#include <memory>

// The fire set with its frame hooks reachable, so that tests can run them one by one.
class CEmbraProbe : public CSetEmbra {
public:
    using CSetEmbra::ApplyOpacity;
    using CSetEmbra::CSetEmbra;
    using CSetEmbra::EndOfFrame;
    using CSetEmbra::StepAndDraw;
};

uint64_t Checksum(const CBmp& bitmap);

// A fire (TSet: the shipped set or the scalar reference) on a headless desktop with the
// test artwork, a 40-pixel taskbar along the bottom, an in-memory settings store and
// `workers` render workers. Nothing is started.
template <class TSet> struct CEmbraRigOf {
    CEmbraRigOf(int32_t width, int32_t height, int32_t workers = 1)
        : desktop(width, height), store(true, "Lumavist", "Embra"), renderState(&desktop),
          set(&store, &renderState) {
        store.SetBackend(std::make_unique<CMemoryBackend>());
        desktop.SetTaskbar(TaskbarEdge::Bottom, 40);
        renderState.processorCount = workers;
        renderState.activeSet = &set;
        set.pollMs = 0;
    }
    ~CEmbraRigOf() { renderState.StopRendering(); }

    // Seeds the calling thread's generator, which Start spawns the flames from, and starts
    // rendering with the fire as the active set (the profile timer starts afresh).
    bool Start(uint32_t seed) {
        CSetEmbra::profileTimer = 0;
        CSetEmbra::profilePeriod = 20;
        CRandom::Seed(seed);
        return renderState.StartRendering();
    }
    // Renders `frames` frames as worker 0 on the calling thread, seeded as the first
    // worker is (with 0); one worker only.
    void RenderFrames(int32_t frames) {
        CRandom::Seed(0);
        for (int32_t i = 0; i < frames; ++i)
            set.Render(0, &runFlag);
    }
    // FNV-1a over the bytes of the band last presented.
    uint64_t PresentedChecksum() const {
        CBmp band;
        desktop.CopyLastPresented(&band);
        return Checksum(band);
    }

    CArtDesktop desktop;
    CSettingsStore store;
    CRenderState renderState;
    TSet set;
    std::atomic<int32_t> runFlag{1};
};

using EmbraRig = CEmbraRigOf<CEmbraProbe>;
using EmbraReferenceRig = CEmbraRigOf<CSetEmbraReference>;
