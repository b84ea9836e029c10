#include "system/PauseRules.h"

#include "system/RectUnion.h"

#include <algorithm>
#include <cstddef>

namespace {

// The reasons in the order the tray tip names the first of them.
constexpr uint32_t kNamedOrder[] = {
    kPauseForHour,          kPauseProgramInFront, kPauseProgramRunning, kPauseFullScreen,
    kPauseCoveredByWindows, kPauseSessionLocked,  kPauseDisplayOff,     kPauseRemoteSession,
    kPauseCamera,           kPauseBatterySaver,   kPauseOnBattery,      kPauseAnimationsOff};

// The reasons whose end the periodic looks see.
constexpr uint32_t kLookedAtReasons =
    kPauseFullScreen | kPauseCoveredByWindows | kPauseProgramInFront | kPauseProgramRunning;

bool Holds(const DesktopRect& outer, const DesktopRect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

bool IsEmpty(const DesktopRect& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

bool HasRule(const std::vector<ProgramRule>& rules, ProgramAction action) {
    return std::any_of(rules.begin(), rules.end(),
                       [action](const ProgramRule& rule) { return rule.action == action; });
}

// Whether a rule of `action` names the program.
bool Ruled(const std::vector<ProgramRule>& rules, const std::string& program,
           ProgramAction action) {
    return !program.empty() &&
           std::any_of(rules.begin(), rules.end(), [&](const ProgramRule& rule) {
               return rule.action == action && RuleNames(rule, program);
           });
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

std::vector<bool> FullScreenMonitors(const SystemState& state,
                                     const std::vector<ProgramRule>& rules) {
    std::vector<bool> covered;
    for (const DesktopRect& monitor : state.overlayMonitors)
        covered.push_back(
            std::any_of(state.windows.begin(), state.windows.end(), [&](const TopWindow& window) {
                return IsFullScreenOn(window, monitor) &&
                       !Ruled(rules, window.program, ProgramAction::Ignore);
            }));
    return covered;
}

bool FullScreenProgramInFront(const SystemState& state, const std::vector<ProgramRule>& rules) {
    const bool notified = state.fullScreenNotification &&
                          !Ruled(rules, state.foregroundProgram, ProgramAction::Ignore);
    return notified || AllOf(FullScreenMonitors(state, rules));
}

std::string RuledProgram(const SystemState& state, const std::vector<ProgramRule>& rules,
                         ProgramAction action) {
    if (action == ProgramAction::Front)
        return Ruled(rules, state.foregroundProgram, action) ? state.foregroundProgram : "";
    if (action == ProgramAction::Running)
        for (const std::string& program : state.runningPrograms)
            if (Ruled(rules, program, action))
                return program;
    return "";
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
        options.pauseFullScreen ? FullScreenMonitors(state, options.programs) : paused;
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
    if (options.pauseFullScreen && FullScreenProgramInFront(state, options.programs))
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
    if (options.pauseRemote && state.remoteSession)
        reasons |= kPauseRemoteSession;
    if (options.pauseCamera && state.cameraInUse)
        reasons |= kPauseCamera;
    if (options.followAnimations && state.animationsOff)
        reasons |= kPauseAnimationsOff;
    if (!RuledProgram(state, options.programs, ProgramAction::Front).empty())
        reasons |= kPauseProgramInFront;
    if (!RuledProgram(state, options.programs, ProgramAction::Running).empty())
        reasons |= kPauseProgramRunning;
    return reasons;
}

PauseNote NotePause(uint32_t reasons, const TimedPause& timed, const std::string& program) {
    for (uint32_t reason : kNamedOrder) {
        if (!(reasons & reason))
            continue;
        PauseNote note;
        note.reason = reason;
        if (reason == kPauseForHour) {
            note.untilHour = timed.untilHour;
            note.untilMinute = timed.untilMinute;
            note.minutes = timed.minutes;
        } else if (reason == kPauseProgramInFront || reason == kPauseProgramRunning) {
            note.program = program;
        }
        return note;
    }
    return PauseNote{};
}

SystemWatch WatchWanted(bool runWanted, const PauseOptions& options, uint32_t reasons) {
    SystemWatch watch;
    if (!runWanted)
        return watch;
    const std::vector<ProgramRule>& rules = options.programs;
    const bool front = HasRule(rules, ProgramAction::Front);
    const bool ignore = options.pauseFullScreen && HasRule(rules, ProgramAction::Ignore);
    const bool looksCanEnd = (reasons & ~kLookedAtReasons) == 0;
    // While a running program pauses, nothing the windows show can resume the effect
    // before it ends, which the look at the running programs sees.
    watch.windows = looksCanEnd && !(reasons & kPauseProgramRunning) &&
                    (options.pauseFullScreen || options.underWindows || front);
    watch.camera = options.pauseCamera;
    watch.foregroundProgram = front || ignore;
    watch.windowPrograms = ignore;
    watch.runningPrograms = HasRule(rules, ProgramAction::Running);
    watch.runningLook = looksCanEnd && watch.runningPrograms;
    return watch;
}
