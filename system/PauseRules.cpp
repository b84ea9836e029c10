#include "system/PauseRules.h"

#include <algorithm>

namespace {

bool Holds(const DesktopRect& outer, const DesktopRect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

bool IsEmpty(const DesktopRect& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

} // namespace

bool CoversMonitor(const ForegroundWindow& window, const DesktopRect& monitor) {
    if (!window.exists || window.hasCaption || window.isShell || window.isOwn || IsEmpty(monitor))
        return false;
    return Holds(window.rect, monitor);
}

std::vector<bool> CoveredMonitors(const SystemState& state) {
    std::vector<bool> covered;
    for (const DesktopRect& monitor : state.overlayMonitors)
        covered.push_back(CoversMonitor(state.foreground, monitor));
    return covered;
}

bool FullScreenProgramInFront(const SystemState& state) {
    if (state.fullScreenNotification)
        return true;
    const std::vector<bool> covered = CoveredMonitors(state);
    return !covered.empty() && std::find(covered.begin(), covered.end(), false) == covered.end();
}

std::vector<bool> PausedMonitors(const SystemState& state, const PauseOptions& options) {
    if (!options.pauseFullScreen)
        return std::vector<bool>(state.overlayMonitors.size(), false);
    return CoveredMonitors(state);
}

uint32_t PauseReasons(const SystemState& state, const PauseOptions& options,
                      const TimedPause& timed, uint64_t nowTick) {
    uint32_t reasons = 0;
    if (timed.Runs(nowTick))
        reasons |= kPauseForHour;
    if (options.pauseFullScreen && FullScreenProgramInFront(state))
        reasons |= kPauseFullScreen;
    if (state.sessionLocked)
        reasons |= kPauseSessionLocked;
    if (state.displayOff)
        reasons |= kPauseDisplayOff;
    if (state.energySaver)
        reasons |= kPauseBatterySaver;
    if (options.pauseOnBattery && state.onBattery)
        reasons |= kPauseOnBattery;
    return reasons;
}

PauseNote NotePause(uint32_t reasons, const TimedPause& timed) {
    if (reasons & kPauseForHour)
        return PauseNote{kPauseForHour, timed.untilHour, timed.untilMinute};
    for (uint32_t bit = kPauseForHour << 1; bit != 0; bit <<= 1)
        if (reasons & bit)
            return PauseNote{bit, 0, 0};
    return PauseNote{};
}

bool FullScreenWatchWanted(bool runWanted, const PauseOptions& options, uint32_t reasons) {
    return runWanted && options.pauseFullScreen && (reasons & ~uint32_t{kPauseFullScreen}) == 0;
}
