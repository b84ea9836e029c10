#pragma once

#include "effects/engine/CEffectControl.h"
#include "effects/engine/CRenderState.h"
#include "effects/engine/CSet.h"
#include "params/CCollector.h"

class IDesktop;

// The effect sets and the render state that renders one of them, owned together in the
// order their uses demand: the sets keep a pointer to the render state, so it is made
// first and goes last, and the render state renders a set, so its workers are stopped,
// the active set is stopped and the overlay is gone before any set is destroyed, however
// the owner ends (with or without a stop of its own). The desktop must outlive the host.
class CEffectHost {
public:
    explicit CEffectHost(IDesktop* desktop) : renderState(desktop) {}
    ~CEffectHost();
    CEffectHost(const CEffectHost&) = delete;
    CEffectHost& operator=(const CEffectHost&) = delete;

    CRenderState renderState;             // holds activeSet and the render workers
    CEffectControl control{&renderState}; // every start and stop goes through it
    CCollector<CSet*> sets;               // owning; activeSet is one of them or null
};
