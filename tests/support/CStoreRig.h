#pragma once

#include "effects/engine/CRenderState.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "params/CMemoryBackend.h"
#include "params/CSettingsStore.h"

#include <cstdint>
#include <memory>

// An effect set (TSet) with an in-memory settings store, the active set on a headless
// desktop (TDesktop) with a 40-pixel taskbar along the bottom and `workers` render
// workers. Nothing is started; rendering stops when the rig goes. Shared by the tests and
// the benchmarks.
template <class TSet, class TDesktop> struct CStoreRig {
    CStoreRig(int32_t width, int32_t height, int32_t workers)
        : desktop(width, height), store(true, "Lumavist", "Embra"), renderState(&desktop),
          set(&store, &renderState) {
        store.SetBackend(std::make_unique<CMemoryBackend>());
        desktop.SetTaskbar(TaskbarSide::Bottom, 40);
        renderState.processorCount = workers;
        renderState.activeSet = &set;
    }
    ~CStoreRig() { renderState.StopRendering(); }

    TDesktop desktop;
    CSettingsStore store;
    CRenderState renderState;
    TSet set;
};
