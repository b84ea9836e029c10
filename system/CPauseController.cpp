#include "system/CPauseController.h"

void CPauseController::Update() {
    const bool wanted = runWanted && runWanted();
    // What is gathered follows the options before the state is read.
    system->Watch(WatchWanted(wanted, options, reasons));
    const SystemState state = system->Current();
    const uint32_t now = PauseReasons(state, options, timed, clock());
    UpdateMonitors(PausedMonitors(state, options));
    system->Watch(WatchWanted(wanted, options, now));
    const std::string front = RuledProgram(state, options.programs, ProgramAction::Front);
    const std::string running = RuledProgram(state, options.programs, ProgramAction::Running);
    const bool changed = now != reasons || front != frontProgram || running != runningProgram;
    reasons = now;
    frontProgram = front;
    runningProgram = running;
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

PauseNote CPauseController::Note() const {
    if (!runWanted || !runWanted())
        return PauseNote{};
    return NotePause(reasons, timed,
                     (reasons & kPauseProgramInFront) ? frontProgram : runningProgram);
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
