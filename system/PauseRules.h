#pragma once

#include "system/SystemState.h"

#include <cstdint>
#include <string>
#include <vector>

// Why the effect is paused: a set of these bits, none when it is not.
enum PauseReason : uint32_t {
    kPauseForHour = 1u << 0,       // the user chose "Pause for 1 hour" or another timed pause
    kPauseFullScreen = 1u << 1,    // a full-screen program covers every monitor
    kPauseSessionLocked = 1u << 2, // the session is locked or disconnected
    kPauseDisplayOff = 1u << 3,
    kPauseBatterySaver = 1u << 4,
    kPauseOnBattery = 1u << 5,
    kPauseCoveredByWindows = 1u << 6, // under windows, every band is hidden by them
};

// The user's options over pausing.
struct PauseOptions {
    bool pauseFullScreen = true; // "PauseFullScreen"
    bool pauseOnBattery = false; // "PauseOnBattery"
    bool underWindows = false;   // "Placement" 1: the overlays lie under every other window
};

// The user's own pause for a time ("Pause for 1 hour", or "/pause MINUTES" of the command
// line): it runs while the clock is before untilTick.
struct TimedPause {
    uint64_t untilTick = 0; // milliseconds on the clock the caller reads; 0: none
    int untilHour = 0;      // local time of the end, for the tip
    int untilMinute = 0;
    int minutes = 60; // the length asked for: the tip names the hour's as such

    bool Runs(uint64_t nowTick) const { return nowTick < untilTick; }
};

// Whether the window hides what lies below it: shown (visible, neither minimised nor
// cloaked) and not see-through.
bool HidesBelow(const TopWindow& window);
// Whether the window is a full-screen program on the monitor: it hides what lies below,
// has no caption, is not the shell's or this program's own, and its rectangle holds the
// monitor's. A maximised window fills the work area, which may be the whole monitor, and
// reaches past it by its frame: it counts only when its rectangle is the monitor's exactly,
// as a program's that is maximised to full screen without a frame is.
bool IsFullScreenOn(const TopWindow& window, const DesktopRect& monitor);
// For each of the overlay's monitors, whether some full-screen program covers it, in
// front or behind other windows.
std::vector<bool> FullScreenMonitors(const SystemState& state);
// Whether a full-screen program covers every one of the overlay's monitors, by the
// shell's notification state (which names no monitor) or by the windows.
bool FullScreenProgramInFront(const SystemState& state);
// For each band, whether the windows above its overlay in the Z order that hide what
// lies below them together hold the overlay's whole rectangle; false for a band whose
// overlay is not among the windows.
std::vector<bool> CoveredBands(const SystemState& state);
// For each of the overlay's monitors, whether its band pauses alone: a full-screen
// program covers it (while that option is on) or, under windows, other windows hide it.
std::vector<bool> PausedMonitors(const SystemState& state, const PauseOptions& options);
// The reasons that pause the effect now.
uint32_t PauseReasons(const SystemState& state, const PauseOptions& options,
                      const TimedPause& timed, uint64_t nowTick);
// The tray tip's line for the reasons, the user's own pause first; empty for none.
std::string PauseReasonText(uint32_t reasons, const TimedPause& timed);
// Whether the periodic look at the windows is worth its wake-ups: only while the effect
// is to run, a rule over the windows is on and nothing but those rules pauses it.
bool FullScreenWatchWanted(bool runWanted, const PauseOptions& options, uint32_t reasons);
