#include "system/PauseRules.h"

#include "system/RectUnion.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

namespace {

constexpr uint32_t kWindowReasons = kPauseFullScreen | kPauseCoveredByWindows;

bool Holds(const DesktopRect& outer, const DesktopRect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

bool IsEmpty(const DesktopRect& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

bool AllOf(const std::vector<bool>& flags) {
    return !flags.empty() && std::find(flags.begin(), flags.end(), false) == flags.end();
}

// Whether the band's overlay is wholly hidden by the windows above it.
bool BandCovered(const std::vector<TopWindow>& windows, int band) {
    std::vector<DesktopRect> above;
    for (const TopWindow& window : windows) {
        if (window.band == band)
            return !IsEmpty(window.rect) && UnionHolds(above, window.rect);
        if (HidesBelow(window))
            above.push_back(window.rect);
    }
    return false;
}

} // namespace

bool HidesBelow(const TopWindow& window) {
    return window.visible && !window.minimised && !window.cloaked && !window.seeThrough;
}

bool IsFullScreenOn(const TopWindow& window, const DesktopRect& monitor) {
    if (!HidesBelow(window) || window.hasCaption || window.isShell || window.isOwn ||
        IsEmpty(monitor))
        return false;
    return window.maximised ? SameRect(window.rect, monitor) : Holds(window.rect, monitor);
}

std::vector<bool> FullScreenMonitors(const SystemState& state) {
    std::vector<bool> covered;
    for (const DesktopRect& monitor : state.overlayMonitors)
        covered.push_back(std::any_of(
            state.windows.begin(), state.windows.end(),
            [&monitor](const TopWindow& window) { return IsFullScreenOn(window, monitor); }));
    return covered;
}

bool FullScreenProgramInFront(const SystemState& state) {
    return state.fullScreenNotification || AllOf(FullScreenMonitors(state));
}

std::vector<bool> CoveredBands(const SystemState& state) {
    std::vector<bool> covered;
    for (std::size_t band = 0; band < state.overlayMonitors.size(); ++band)
        covered.push_back(BandCovered(state.windows, static_cast<int>(band)));
    return covered;
}

std::vector<bool> PausedMonitors(const SystemState& state, const PauseOptions& options) {
    std::vector<bool> paused(state.overlayMonitors.size(), false);
    const std::vector<bool> fullScreen =
        options.pauseFullScreen ? FullScreenMonitors(state) : paused;
    const std::vector<bool> covered = options.underWindows ? CoveredBands(state) : paused;
    for (std::size_t i = 0; i < paused.size(); ++i)
        paused[i] = fullScreen[i] || covered[i];
    return paused;
}

uint32_t PauseReasons(const SystemState& state, const PauseOptions& options,
                      const TimedPause& timed, uint64_t nowTick) {
    uint32_t reasons = 0;
    if (timed.Runs(nowTick))
        reasons |= kPauseForHour;
    if (options.pauseFullScreen && FullScreenProgramInFront(state))
        reasons |= kPauseFullScreen;
    if (options.underWindows && AllOf(CoveredBands(state)))
        reasons |= kPauseCoveredByWindows;
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
        std::snprintf(text, sizeof(text),
                      timed.minutes == 60 ? "paused for 1 hour, until %02d:%02d"
                                          : "paused until %02d:%02d",
                      timed.untilHour, timed.untilMinute);
        return text;
    }
    if (reasons & kPauseFullScreen)
        return "paused: full-screen program";
    if (reasons & kPauseCoveredByWindows)
        return "paused: covered by windows";
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
    return runWanted && (options.pauseFullScreen || options.underWindows) &&
           (reasons & ~kWindowReasons) == 0;
}
