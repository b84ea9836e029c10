#pragma once

#include "effects/CRenderState.h"
#include "effects/CSetEmbra.h"
#include "params/CSettingsStore.h"
#include "support/CArtDesktop.h"

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

// A fire on a headless desktop with the test artwork, a 40-pixel taskbar along the
// bottom, an in-memory settings store and `workers` render workers. Nothing is started.
struct EmbraRig {
    EmbraRig(int32_t width, int32_t height, int32_t workers = 1);
    ~EmbraRig();

    // Seeds the calling thread's generator, which Start spawns the flames from, and starts
    // rendering with the fire as the active set (the profile timer starts afresh).
    bool Start(uint32_t seed);
    // Renders `frames` frames as worker 0 on the calling thread, seeded as the first
    // worker is (with 0); one worker only.
    void RenderFrames(int32_t frames);
    // FNV-1a over the bytes of the band last presented.
    uint64_t PresentedChecksum() const;

    CArtDesktop desktop;
    CSettingsStore store;
    CRenderState renderState;
    CEmbraProbe set;
    std::atomic<int32_t> runFlag{1};
};

uint64_t Checksum(const CBmp& bitmap);
