#pragma once

#include "settings/CDialogParam.h"

#include <windows.h>

class ISettingsApp;

// The "Common" page of the settings window (template 138): "Start with Windows", bound to
// the flag read back from the start-up shortcut at opening, "Start minimized", bound to
// "StartMinimize", and the two pause options. OK applies the flag to the shortcut; Cancel
// puts every value back.
class CSettingsCommonDlg : public CDialogParam {
public:
    static constexpr int kTemplate = 138;
    static constexpr int kStartWithWindows = 1017;
    static constexpr int kStartMinimized = 1018;
    static constexpr int kPauseFullScreen = 1019;
    static constexpr int kPauseOnBattery = 1020;

    explicit CSettingsCommonDlg(ISettingsApp* app) : app(app) {}

    int OnCommand(UINT id, UINT code, HWND control) override;
    int OnInitDialog() override;

private:
    ISettingsApp* const app;
};
