#include "system/CPauseController.h"

void CPauseController::Update() {
    const bool wanted = runWanted && runWanted();
    const SystemState state = system->Current();
    const uint32_t now = PauseReasons(state, options, timed, clock());
    UpdateMonitors(PausedMonitors(state, options));
    system->WatchFullScreen(FullScreenWatchWanted(wanted, options, now));
    const bool changed = now != reasons;
    reasons = now;
    const bool paused = reasons != 0;
    if (setPaused && (!applied || paused != lastPaused)) {
        applied = true;
        lastPaused = paused;
        setPaused(paused);
    }
    if (changed && onReasonsChanged)
        onReasonsChanged();
}

void CPauseController::PauseFor(int minutes, int hour, int minute) {
    timed = minutes > 0 ? TimedPause{clock() + static_cast<uint64_t>(minutes) * kMinuteMs, hour,
                                     minute, minutes}
                        : TimedPause{};
    Update();
}

uint64_t CPauseController::TimedPauseLeft() const {
    const uint64_t now = clock();
    return timed.Runs(now) ? timed.untilTick - now : 0;
}

std::string CPauseController::ReasonText() const {
    if (!runWanted || !runWanted())
        return "";
    return PauseReasonText(reasons, timed);
}

void CPauseController::OnResumedFromSleep() {
    if (onResumedFromSleep)
        onResumedFromSleep();
    Update();
}

void CPauseController::UpdateMonitors(const std::vector<bool>& paused) {
    if (!setMonitorPaused)
        return;
    for (std::size_t i = 0; i < paused.size(); ++i)
        if (i >= monitorsPaused.size() || paused[i] != monitorsPaused[i])
            setMonitorPaused(i, paused[i]);
    monitorsPaused = paused;
}
