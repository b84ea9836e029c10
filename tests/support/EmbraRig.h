#pragma once

#include "effects/engine/CRandom.h"
#include "effects/fire/CSetEmbra.h"
#include "support/CArtDesktop.h"
#include "support/CStoreRig.h"
#include "support/TestBitmaps.h"
#include "tests/reference/CSetEmbraReference.h"

#include <atomic>
#include <cstdint>

// The fire set with its frame hooks reachable, so that tests can run them one by one.
class CEmbraProbe : public CSetEmbra {
public:
    using CSetEmbra::ApplyOpacity;
    using CSetEmbra::CSetEmbra;
    using CSetEmbra::EndOfFrame;
    using CSetEmbra::StepAndDraw;
};

// A fire (TSet: the shipped set or the scalar reference) on a headless desktop with the
// test artwork, a 40-pixel taskbar along the bottom, an in-memory settings store and
// `workers` render workers. Nothing is started.
template <class TSet> struct CEmbraRigOf : CStoreRig<TSet, CArtDesktop> {
    CEmbraRigOf(int32_t width, int32_t height, int32_t workers = 1)
        : CStoreRig<TSet, CArtDesktop>(width, height, workers) {}

    // Seeds the calling thread's generator, which Start spawns the flames from, and starts
    // rendering with the fire as the active set (the profile timer starts afresh).
    bool Start(uint32_t seed) {
        CSetEmbra::profileTimer = 0;
        CSetEmbra::profilePeriod = 20;
        CRandom::Seed(seed);
        return this->renderState.StartRendering();
    }
    // Renders `frames` frames as worker 0 on the calling thread, seeded as the first
    // worker is (with 0); one worker only.
    void RenderFrames(int32_t frames) {
        CRandom::Seed(0);
        for (int32_t i = 0; i < frames; ++i)
            this->set.Render(0, &runFlag);
    }
    // FNV-1a over the bytes of the band last presented.
    uint64_t PresentedChecksum() const {
        CBmp band;
        this->desktop.CopyLastPresented(&band);
        return BitmapChecksum(band);
    }

    std::atomic<int32_t> runFlag{1};
};

using EmbraRig = CEmbraRigOf<CEmbraProbe>;
using EmbraReferenceRig = CEmbraRigOf<CSetEmbraReference>;
