#pragma once

#include "params/ProgramRule.h"
#include "system/ISystemState.h"
#include "system/SystemState.h"

#include <cstdint>
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
    kPauseRemoteSession = 1u << 7,
    kPauseCamera = 1u << 8,
    kPauseAnimationsOff = 1u << 9,   // Windows' animation setting is off
    kPauseProgramInFront = 1u << 10, // a program with a "front" rule is in front
    kPauseProgramRunning = 1u << 11, // a program with a "running" rule runs
};

// The user's options over pausing.
struct PauseOptions {
    bool pauseFullScreen = true;       // "PauseFullScreen"
    bool pauseOnBattery = false;       // "PauseOnBattery"
    bool underWindows = false;         // "Placement" 1: the overlays lie under every other window
    bool pauseRemote = true;           // "PauseRemote"
    bool pauseCamera = false;          // "PauseCamera"
    bool followAnimations = true;      // "Animations" 0: Windows' animation setting counts
    std::vector<ProgramRule> programs; // "Programs"
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
// front or behind other windows; the windows of a program with an "ignore" rule never do.
std::vector<bool> FullScreenMonitors(const SystemState& state,
                                     const std::vector<ProgramRule>& rules = {});
// Whether a full-screen program covers every one of the overlay's monitors, by the
// shell's notification state (which names no monitor; it does not count while a program
// with an "ignore" rule is the foreground one) or by the windows.
bool FullScreenProgramInFront(const SystemState& state, const std::vector<ProgramRule>& rules = {});
// The program that a rule of `action` pauses the effect for: the foreground program for
// "front", the first running one with a rule for "running", as the system names it;
// empty when none.
std::string RuledProgram(const SystemState& state, const std::vector<ProgramRule>& rules,
                         ProgramAction action);
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
// What the tray tip says of a pause: the one reason it names (a PauseReason bit, 0 while
// nothing pauses the effect), for the user's own pause the local time of its end, and for
// a program's rule the program. The view turns it into the text of the user's language.
struct PauseNote {
    uint32_t reason = 0;
    int untilHour = 0;
    int untilMinute = 0;
    int minutes = 60; // the timed pause's length: the tip names the hour's as such
    std::string program;

    bool operator==(const PauseNote& other) const {
        return reason == other.reason && untilHour == other.untilHour &&
               untilMinute == other.untilMinute && minutes == other.minutes &&
               program == other.program;
    }
    bool operator!=(const PauseNote& other) const { return !(*this == other); }
};
// The note for the reasons: the user's own pause first, then a program's rule in front
// and running, a full-screen program, the bands covered by windows, the locked session,
// the display off, the remote session, the camera, the battery saver, the battery and
// Windows' animation setting. `program` is the program the named rule pauses for.
PauseNote NotePause(uint32_t reasons, const TimedPause& timed, const std::string& program);
// What the adapter is to gather and look at: the programs only while a rule needs them
// and the effect is to run; the periodic looks only while nothing but what they can see
// end pauses it (a full-screen program, covering windows, a program's rule), so that a
// pause for any other reason costs no wake-ups; and the look at the windows not while a
// running program pauses it, which must end first.
SystemWatch WatchWanted(bool runWanted, const PauseOptions& options, uint32_t reasons);
