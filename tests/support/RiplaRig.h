#pragma once

#include "effects/headless/CHeadlessDesktop.h"
#include "effects/water/CItemRipla.h"
#include "effects/water/CSetRipla.h"
#include "support/CEffectRig.h"
#include "support/CSplashDesktop.h"

#include <cstdint>

// The water with its frame hooks reachable, so that tests can run them one by one.
class CRiplaProbe : public CSetRipla {
public:
    using CSetRipla::CSetRipla;
    using CSetRipla::StepAndDraw;
};

// The water on a headless desktop with the test splash, a 40-pixel taskbar at the bottom
// and `workers` render workers. Nothing is started.
struct RiplaRig : CEffectRig<CRiplaProbe, CItemRipla, CSplashDesktop> {
    RiplaRig(int32_t width, int32_t height, int32_t workers = 1)
        : CEffectRig(width, height, workers, TaskbarEdge::Bottom) {}
    CItemRipla* Splashes(int32_t worker = 0) { return Items(worker); }
};
