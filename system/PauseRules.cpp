#include "system/PauseRules.h"

#include <algorithm>
#include <cstdio>

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

std::string PauseReasonText(uint32_t reasons, const TimedPause& timed) {
    if (reasons & kPauseForHour) {
        char text[40];
        std::snprintf(text, sizeof(text), "paused for 1 hour, until %02d:%02d", timed.untilHour,
                      timed.untilMinute);
        return text;
    }
    if (reasons & kPauseFullScreen)
        return "paused: full-screen program";
    if (reasons & kPauseSessionLocked)
        return "paused: session locked";
    if (reasons & kPauseDisplayOff)
        return "paused: display off";
    if (reasons & kPauseBatterySaver)
        return "paused: battery saver";
    if (reasons & kPauseOnBattery)
        return "paused: on battery";
    return "";
}

bool FullScreenWatchWanted(bool runWanted, const PauseOptions& options, uint32_t reasons) {
    return runWanted && options.pauseFullScreen && (reasons & ~uint32_t{kPauseFullScreen}) == 0;
}
