#include "effects/engine/CEffectControl.h"

#include "effects/engine/CRenderState.h"
#include "effects/engine/CSet.h"

void CEffectControl::Start() {
    runWanted = true;
    Settle();
}

void CEffectControl::Stop() {
    runWanted = false;
    startFailed = false;
    Settle();
}

void CEffectControl::Restart() {
    if (!runWanted)
        return;
    restartWanted = true;
    Settle();
}

const std::vector<MonitorArea>& CEffectControl::Monitors() const {
    return renderState->Monitors();
}

void CEffectControl::FollowTaskbars() {
    if (running && !busy && renderState->activeSet)
        renderState->activeSet->UpdatePlacement();
}

void CEffectControl::Choose(CSet* set) {
    choice = set;
    choicePending = true;
    Settle();
}

void CEffectControl::SetPaused(bool paused) {
    renderState->SetPaused(paused);
}

bool CEffectControl::Paused() const {
    return renderState->Paused();
}

void CEffectControl::SetMonitorPaused(std::size_t monitor, bool paused) {
    renderState->SetMonitorPaused(monitor, paused);
}

bool CEffectControl::MonitorPaused(std::size_t monitor) const {
    return renderState->MonitorPaused(monitor);
}

bool CEffectControl::MustStop() const {
    return !runWanted || restartWanted || (choicePending && choice != renderState->activeSet);
}

void CEffectControl::Settle() {
    if (busy)
        return;
    busy = true;
    for (;;) {
        if (running && MustStop()) {
            // Cleared first: a display change during this stop asks for another start.
            restartWanted = false;
            renderState->StopEffect();
            running = false;
            continue;
        }
        if (choicePending) {
            renderState->activeSet = choice; // stopped, or running this very set already
            choicePending = false;
        }
        if (!runWanted || running)
            break;
        // The start reads the screen as it is now.
        restartWanted = false;
        running = renderState->activeSet != nullptr && renderState->StartEffect();
        startFailed = !running;
        runWanted = running;
    }
    busy = false;
}
