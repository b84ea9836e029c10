#pragma once

#include "params/CParam.h"

#include <vector>

class CSet;

// What the settings window needs of the application: the effect sets with the active one,
// the main dialog's stop and start of the effect, and the start-up options. The
// application sits above the settings layer and hands itself in through this interface.
class ISettingsApp {
public:
    ISettingsApp() = default;
    ISettingsApp(const ISettingsApp&) = delete;
    ISettingsApp& operator=(const ISettingsApp&) = delete;
    virtual ~ISettingsApp() = default;

    // The effect sets in their order: fire, northern lights, water.
    virtual const std::vector<CSet*>& EffectSets() = 0;
    virtual CSet* ActiveSet() = 0;
    // Changes the active set; only while the effect is stopped.
    virtual void SetActiveSet(CSet* set) = 0;
    // As the main dialog's stop command: the workers are awaited, rendering stops.
    virtual void StopEffect() = 0;
    // As the main dialog's start command: rendering starts, then the workers.
    virtual void StartEffect() = 0;

    // The start-with-Windows flag, in no set: it mirrors the start-up shortcut.
    virtual CParam<bool>& StartWithWindows() = 0;
    // Sets the flag from the shortcut's presence.
    virtual void ReadStartWithWindows() = 0;
    // Creates or deletes the shortcut after the flag.
    virtual void ApplyStartWithWindows() = 0;
    // "StartMinimize": 0 shown, 1 minimised, anything else hidden at start.
    virtual CParam<int>& StartMinimize() = 0;
    // "HotKey": the start/stop hotkey as the hot-key control's word, 0 none.
    virtual CParam<int>& HotKey() = 0;
    // Registers the hotkey's value in place of the registered one: false, the one before
    // kept, when another program holds the combination.
    virtual bool ApplyHotKey() = 0;
    // A hotkey is stored that another program holds, so it does not work.
    virtual bool HotKeyTaken() = 0;
    // "PauseFullScreen" and "PauseOnBattery": 1 pauses the effect, 0 does not.
    virtual CParam<int>& PauseFullScreen() = 0;
    virtual CParam<int>& PauseOnBattery() = 0;
    // "EveryMonitor": 1 a band on every monitor, 0 on the primary monitor only.
    virtual CParam<int>& EveryMonitor() = 0;
    // Writes the options and the active set's key to the store now.
    virtual void SaveSettings() = 0;
};
