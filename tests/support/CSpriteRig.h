#pragma once

#include "effects/headless/CHeadlessDesktop.h"
#include "effects/lights/CItemGlimra.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CItemRipla.h"
#include "effects/water/CSetRipla.h"
#include "support/CEffectRig.h"
#include "support/CSplashDesktop.h"

#include <cstdint>

// A sprite set (TSet) with its frame hooks reachable, so that tests can run them one by
// one.
template <class TSet> class CSpriteProbe : public TSet {
public:
    using TSet::EndOfFrame;
    using TSet::StepAndDraw;
    using TSet::TSet;
};

// The probe of TSet on a TDesktop with a 40-pixel taskbar on kEdge and `workers` render
// workers. Nothing is started.
template <class TSet, class TItem, class TDesktop, TaskbarSide kEdge>
struct CSpriteRig : CEffectRig<CSpriteProbe<TSet>, TItem, TDesktop> {
    CSpriteRig(int32_t width, int32_t height, int32_t workers = 1)
        : CEffectRig<CSpriteProbe<TSet>, TItem, TDesktop>(width, height, workers, kEdge) {}
};

// The northern lights along a taskbar at the top; the water, with the test splash, along
// one at the bottom.
using GlimraRig = CSpriteRig<CSetGlimra, CItemGlimra, CHeadlessDesktop, TaskbarSide::Top>;
using RiplaRig = CSpriteRig<CSetRipla, CItemRipla, CSplashDesktop, TaskbarSide::Bottom>;
