#pragma once

#include "effects/engine/CRandom.h"
#include "effects/engine/CRenderState.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "graphics/CBmp.h"
#include "params/CMemoryBackend.h"
#include "params/CSettingsStore.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

// An effect set (TSet, its ApplyOpacity made reachable) on a headless desktop with a
// 40-pixel taskbar along the bottom, an in-memory settings store and `workers` render
// workers, with the steps of a frame that worker 0 takes around the items: clearing the
// band and applying the opacity. Nothing is started.
template <class TSet> struct CBenchRig {
    CBenchRig(int32_t width, int32_t height, int32_t workers)
        : desktop(width, height), store(true, "Lumavist", "Embra"), renderState(&desktop),
          set(&store, &renderState) {
        store.SetBackend(std::make_unique<CMemoryBackend>());
        desktop.SetTaskbar(TaskbarEdge::Bottom, 40);
        renderState.processorCount = workers;
        renderState.activeSet = &set;
    }
    ~CBenchRig() { renderState.StopRendering(); }

    // Starts the set, the generator seeded with 1; `started` tells whether it did.
    void Start() {
        CRandom::Seed(1);
        started = renderState.StartRendering();
    }
    void ClearBand() {
        std::memset(set.frameBuffer.pixels + std::size_t{4} * set.BandTop() * set.frameBuffer.width,
                    0, std::size_t{4} * set.BandRows() * set.frameBuffer.width);
    }
    void Opacity() {
        CBmp band;
        band.Wrap(set.frameBuffer.pixels, set.BandTop() * set.frameBuffer.width * 4,
                  set.frameBuffer.width, set.BandRows());
        set.ApplyOpacity(band); // "vis" 50
    }

    CHeadlessDesktop desktop;
    CSettingsStore store;
    CRenderState renderState;
    TSet set;
    bool started = false;
};
