#pragma once

#include "system/SystemState.h"

#include <cstdint>
#include <vector>

// Why the effect is paused: a set of these bits, none when it is not.
enum PauseReason : uint32_t {
    kPauseForHour = 1u << 0,       // the user chose "Pause for 1 hour"
    kPauseFullScreen = 1u << 1,    // a full-screen program is in front
    kPauseSessionLocked = 1u << 2, // the session is locked or disconnected
    kPauseDisplayOff = 1u << 3,
    kPauseBatterySaver = 1u << 4,
    kPauseOnBattery = 1u << 5,
};

// The user's options over pausing.
struct PauseOptions {
    bool pauseFullScreen = true; // "PauseFullScreen"
    bool pauseOnBattery = false; // "PauseOnBattery"
};

// The user's "Pause for 1 hour": it runs while the clock is before untilTick.
struct TimedPause {
    uint64_t untilTick = 0; // milliseconds on the clock the caller reads; 0: none
    int untilHour = 0;      // local time of the end, for the tip
    int untilMinute = 0;

    bool Runs(uint64_t nowTick) const { return nowTick < untilTick; }
};

// Whether the foreground window covers the whole monitor: it is a window without a
// caption, not the desktop, the shell's or this program's own, and its rectangle holds the
// monitor's.
bool CoversMonitor(const ForegroundWindow& window, const DesktopRect& monitor);
// For each of the overlay's monitors, whether the foreground window covers it.
std::vector<bool> CoveredMonitors(const SystemState& state);
// Whether a full-screen program is in front of every one of the overlay's monitors, by the
// shell's notification state (which names no monitor) or by the foreground window.
bool FullScreenProgramInFront(const SystemState& state);
// For each of the overlay's monitors, whether its band pauses for a full-screen program in
// front of it alone; all false while the option is off.
std::vector<bool> PausedMonitors(const SystemState& state, const PauseOptions& options);
// The reasons that pause the effect now.
uint32_t PauseReasons(const SystemState& state, const PauseOptions& options,
                      const TimedPause& timed, uint64_t nowTick);
// What the tray tip says of a pause: the one reason it names (a PauseReason bit, 0 while
// nothing pauses the effect) and, for the user's own pause, the local time of its end. The
// view turns it into the text of the user's language.
struct PauseNote {
    uint32_t reason = 0;
    int untilHour = 0;
    int untilMinute = 0;

    bool operator==(const PauseNote& other) const {
        return reason == other.reason && untilHour == other.untilHour &&
               untilMinute == other.untilMinute;
    }
    bool operator!=(const PauseNote& other) const { return !(*this == other); }
};

// The note for the reasons: the user's own pause first, then the system's reasons in the
// order of PauseReason.
PauseNote NotePause(uint32_t reasons, const TimedPause& timed);
// Whether the periodic full-screen check is worth its wake-ups: only while the effect is
// to run, the option is on and nothing but a full-screen program pauses it.
bool FullScreenWatchWanted(bool runWanted, const PauseOptions& options, uint32_t reasons);
