#pragma once

#include "effects/engine/CRandom.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "graphics/CBmp.h"
#include "tests/support/CStoreRig.h"

#include <cstddef>
#include <cstring>
#include <vector>

// An effect set (TSet, its ApplyOpacity made reachable) in the rig of CStoreRig, with the
// steps of a frame that worker 0 takes around the items: clearing the band and applying
// the opacity. Nothing is started.
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
    void ClearBand() {
        TSet& set = this->set;
        std::memset(set.frameBuffer.pixels + std::size_t{4} * set.BandTop() * set.frameBuffer.width,
                    0, std::size_t{4} * set.BandRows() * set.frameBuffer.width);
    }
    void Opacity() {
        TSet& set = this->set;
        CBmp band;
        band.Wrap(set.frameBuffer.pixels, set.BandTop() * set.frameBuffer.width * 4,
                  set.frameBuffer.width, set.BandRows());
        set.ApplyOpacity(band); // "vis" 50
    }

    bool started = false;
};
