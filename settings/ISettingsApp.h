#pragma once

#include "params/CParam.h"
#include "system/OptionRow.h"

#include <vector>

class CSet;

// What the settings window needs of the application: the effect sets with the active one,
// the stop and start of the effect, and the options of the "Common" page as the rows of the
// options table. The application sits above the settings layer and hands itself in through
// this interface.
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
    // The workers are awaited, rendering stops.
    virtual void StopEffect() = 0;
    // Rendering starts, then the workers.
    virtual void StartEffect() = 0;

    // The options of the "Common" page, one row each.
    virtual const std::vector<OptionRow>& Options() = 0;
    // Reads again what an option mirrors from the system (the start-up shortcut).
    virtual void ReadOptions() = 0;
    // After OK: each option the page changed takes effect.
    virtual void ApplyOptions() = 0;
    // Registers the "HotKey" option's combination in place of the registered one: false,
    // the one before kept, when another program holds it.
    virtual bool ApplyHotKey() = 0;
    // A hotkey is stored that another program holds, so it does not work.
    virtual bool HotKeyTaken() = 0;
    // Writes the options and the active set's key to the store now.
    virtual void SaveSettings() = 0;
};
