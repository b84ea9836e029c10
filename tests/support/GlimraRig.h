#pragma once

#include "effects/headless/CHeadlessDesktop.h"
#include "effects/lights/CItemGlimra.h"
#include "effects/lights/CSetGlimra.h"
#include "support/CEffectRig.h"

#include <cstdint>

// The northern lights with their frame hooks reachable, so that tests can run them one by
// one.
class CGlimraProbe : public CSetGlimra {
public:
    using CSetGlimra::CSetGlimra;
    using CSetGlimra::EndOfFrame;
    using CSetGlimra::StepAndDraw;
};

// The northern lights on a headless desktop with a 40-pixel taskbar at the top and
// `workers` render workers. Nothing is started.
struct GlimraRig : CEffectRig<CGlimraProbe, CItemGlimra, CHeadlessDesktop> {
    GlimraRig(int32_t width, int32_t height, int32_t workers = 1)
        : CEffectRig(width, height, workers, TaskbarEdge::Top) {}
    CItemGlimra* Rays(int32_t worker = 0) { return Items(worker); }
};
