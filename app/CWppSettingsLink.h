#pragma once

#include "settings/ISettingsApp.h"

#include <vector>

class CSet;
class CWpp;

// The application as the settings window sees it, for as long as the window is open. Stop
// and start go through the application controller, which tells the main dialog.
class CWppSettingsLink : public ISettingsApp {
public:
    explicit CWppSettingsLink(CWpp* app) : app(app) {}

    const std::vector<CSet*>& EffectSets() override;
    CSet* ActiveSet() override;
    void SetActiveSet(CSet* set) override;
    void StopEffect() override;
    void StartEffect() override;
    const std::vector<OptionRow>& Options() override;
    void ReadOptions() override;
    void ApplyOptions() override;
    bool ApplyHotKey() override;
    bool HotKeyTaken() override;
    // The options under "Options\Common" and "current" under "Sets". Not the whole save of
    // the exit, which also clears the stored main window handle of the running instance.
    void SaveSettings() override;

private:
    CWpp* const app;
};
