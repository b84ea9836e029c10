#pragma once

#include "settings/ISettingsApp.h"

#include <vector>

class CSet;
class CWpp;

// The application as the settings window sees it. Stop and start go through the main
// dialog's own commands, so that its start button shows the right face afterwards.
class CWppSettingsLink : public ISettingsApp {
public:
    explicit CWppSettingsLink(CWpp* app) : app(app) {}

    const std::vector<CSet*>& EffectSets() override;
    CSet* ActiveSet() override;
    void SetActiveSet(CSet* set) override;
    void StopEffect() override;
    void StartEffect() override;
    CParam<bool>& StartWithWindows() override;
    void ReadStartWithWindows() override;
    void ApplyStartWithWindows() override;
    CParam<int>& StartMinimize() override;
    CParam<int>& HotKey() override;
    bool ApplyHotKey() override;
    bool HotKeyTaken() override;
    CParam<int>& PauseFullScreen() override;
    CParam<int>& PauseOnBattery() override;
    CParam<int>& EveryMonitor() override;
    // The options under "Options\Common" and "current" under "Sets". Not the whole save of
    // the exit, which also clears the stored main window handle of the running instance.
    void SaveSettings() override;

private:
    CWpp* const app;
};
