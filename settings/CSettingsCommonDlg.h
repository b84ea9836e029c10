#pragma once

#include "settings/CDialogParam.h"

#include <windows.h>

class ISettingsApp;

// The "Common" page of the settings window (template 138): "Start with Windows", bound to
// the flag read back from the start-up shortcut at opening, and "Start minimized", bound to
// "StartMinimize". OK applies the flag to the shortcut; Cancel puts both values back.
class CSettingsCommonDlg : public CDialogParam {
public:
    static constexpr int kTemplate = 138;
    static constexpr int kStartWithWindows = 1017;
    static constexpr int kStartMinimized = 1018;

    explicit CSettingsCommonDlg(ISettingsApp* app) : app(app) {}

    int OnCommand(UINT id, UINT code, HWND control) override;
    int OnInitDialog() override;

private:
    ISettingsApp* const app;
};
