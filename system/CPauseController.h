#pragma once

#include "system/ISystemState.h"
#include "system/PauseRules.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Combines the reasons to pause (the system's state under the user's options, and the
// user's own pause for a time) and carries the decision out through setPaused whenever
// the system reports a change. Main thread only.
class CPauseController : public ISystemStateListener {
public:
    static constexpr uint64_t kMinuteMs = 60'000;
    static constexpr uint64_t kHourMs = 60 * kMinuteMs;

    explicit CPauseController(ISystemState* system) : system(system) {}

    // Reads the state and the options again; tells setPaused and onReasonsChanged when the
    // reasons (or the program a rule pauses for) changed, setMonitorPaused for each band
    // whose own pause changed, and tells the system what to gather and look at.
    void Update();
    // Pauses for `minutes` from now (ending at local time hour:minute) in place of a timed
    // pause that runs; 0 ends the one that runs. Then Update.
    void PauseFor(int minutes, int hour, int minute);
    // Starts "Pause for 1 hour" from now (ending at local time hour:minute), or ends the
    // timed pause that runs.
    void ToggleHourPause(int hour, int minute) {
        PauseFor(TimedPauseRuns() ? 0 : 60, hour, minute);
    }
    bool TimedPauseRuns() const { return timed.Runs(clock()); }
    // Milliseconds until the timed pause ends; 0 when none runs.
    uint64_t TimedPauseLeft() const;
    uint32_t Reasons() const { return reasons; }
    // The bands were made anew: the next Update tells each its pause again.
    void ForgetMonitors() { monitorsPaused.clear(); }
    // What the tray tip says: why the effect pauses; no reason when it runs unpaused or is
    // not to run.
    PauseNote Note() const;

    void OnSystemStateChanged() override {
        if (onSystemChanged)
            onSystemChanged();
        Update();
    }
    void OnResumedFromSleep() override;

    ISystemState* system;
    PauseOptions options;
    std::function<void(bool)> setPaused; // pause (true) or resume the effect
    // Pause (true) or resume the band on the overlay's monitor `index` alone: a full-screen
    // program covers that monitor, or under windows other windows hide its band, but not
    // every one.
    std::function<void(std::size_t index, bool paused)> setMonitorPaused;
    std::function<bool()> runWanted;          // whether the effect is to run
    std::function<void()> onReasonsChanged;   // the tip follows
    std::function<void()> onResumedFromSleep; // the overlay is placed anew
    std::function<void()> onSystemChanged;    // the system reported a change, before Update
    std::function<uint64_t()> clock;          // milliseconds, never going back

private:
    // Tells setMonitorPaused of each band whose pause differs from what it was told last.
    void UpdateMonitors(const std::vector<bool>& paused);

    uint32_t reasons = 0;
    std::string frontProgram;   // the program a "front" rule pauses for, as last read
    std::string runningProgram; // the program a "running" rule pauses for, as last read
    bool applied = false;       // setPaused was told once
    bool lastPaused = false;
    TimedPause timed;
    std::vector<bool> monitorsPaused; // as setMonitorPaused was told last
};
