#include "effects/engine/CEffectHost.h"

CEffectHost::~CEffectHost() {
    renderState.StopEffect();
    // The sets go next; the render state that outlives them must not point at one.
    renderState.activeSet = nullptr;
}
