#pragma once

#include "effects/engine/IDesktop.h"
#include "system/CPauseController.h"
#include "system/IAppClock.h"
#include "system/IAppStateListener.h"
#include "system/OptionRow.h"

#include <cstdint>
#include <vector>

class CEffectControl;
class CSet;
class COptions;
class IAppPlatform;
class ISystemState;

// The application's decisions: the user's requests to the effect (start, stop, start
// afresh), the reasons to pause it, the settling of the monitors after a change, the user's
// pause for a time ("Pause for 1 hour") and what each option applies. The views (the main dialog,
// the tray icon) forward the user's requests here and redraw when the listeners are told that the
// state changed; the adapters report the system's changes here. Main thread only.
class CAppController {
public:
    // Kept by hand the shortest time after the last change of the monitors before the
    // effect starts afresh: Windows reports stale taskbar rectangles right after one.
    static constexpr uint32_t kSettleMs = 500;

    CAppController(CEffectControl& effect, COptions& options, ISystemState& system,
                   IAppClock& clock, IAppPlatform& platform);
    CAppController(const CAppController&) = delete;
    CAppController& operator=(const CAppController&) = delete;

    // Listens to the system's changes and applies the pause options; the state is told
    // from now on.
    void Attach();
    // Listens to nothing and tells no one any more: the stops of the program's end leave
    // the pause and the views alone.
    void Detach();
    void AddListener(IAppStateListener* listener);

    // The effect's requests. One made while another is being carried out (a stop answers
    // the messages sent meanwhile) is carried out after it; the state is told once the
    // last is done.
    void Start();
    void Stop();
    void Toggle();
    // A running effect starts afresh on the monitors as they are now.
    void Restart();
    // `set` becomes the active set; a running effect switches to it.
    void Choose(CSet* set);

    // The display or the work area changed (`mustPlace`), or some setting did and the
    // monitors or the taskbars may have moved: where they did, a running or paused effect
    // starts afresh once, kSettleMs after the last such change.
    void OnLayoutChange(bool mustPlace);
    // Some setting changed: a running effect's bands follow their taskbars. Nothing while
    // the effect is stopped.
    void OnSettingChange();
    // The shell made a new taskbar: a running effect's overlays go behind it; an effect
    // that could not start for want of one starts now.
    void OnTaskbarCreated();
    // An overlay was destroyed from outside: the effect stops, once that destruction is over.
    void OnOverlayLost();
    // Starts "Pause for 1 hour", or ends the timed pause that runs.
    void ToggleHourPause();
    // The tray menu's "Pause while <program> is in front": adds that rule for the program
    // (a file name), or removes it where it is there, decides again and stores the options.
    void TogglePauseInFront(const std::string& program);
    // Whether the program has a "front" rule.
    bool PausesInFront(const std::string& program) const;
    // Pauses the effect for `minutes` from now, in place of a timed pause that runs; 0 ends
    // the one that runs.
    void PauseFor(int minutes);
    void OnTimer(AppTimer timer);

    // Applies each option the settings window changed (whose value differs from the one
    // its control showed at opening), as its row says.
    void ApplyChangedOptions();

    EffectState State() const;
    // What the tray tip says: why the effect pauses; no reason while it runs unpaused or
    // stops.
    PauseNote Note() const { return pause.Note(); }
    // A timed pause runs: the tray menu's "Pause for 1 hour" shows checked, and ends it.
    bool TimedPauseRuns() const { return pause.TimedPauseRuns(); }
    bool Running() const;

private:
    // The effect's state changed: the pause decides again and the listeners are told.
    void Refresh();
    // Tells the listeners when the state or its reason changed since they were told last.
    void Notify();
    // Notes the option and the monitors the last start placed the bands after.
    void NotePlacement();
    void ArmPauseTimer();
    void Apply(OptionEffect effect);

    CEffectControl& effect;
    COptions& options;
    ISystemState& system;
    IAppClock& clock;
    IAppPlatform& platform;
    CPauseController pause;
    std::vector<IAppStateListener*> listeners;
    bool attached = false;
    EffectState toldState = EffectState::Stopped;
    PauseNote toldNote;
    std::vector<MonitorArea> placedLayout; // the monitors and taskbars at the last start
    bool placedEveryMonitor = true;        // "EveryMonitor" at the last start
};
