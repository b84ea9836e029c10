#pragma once

#include "resources/resource.h"
#include "settings/CDialogParam.h"

#include <windows.h>

class ISettingsApp;

// The "Common" page of the settings window (template 138): "Start with Windows", bound to
// the flag read back from the start-up shortcut at opening, "Start minimized", bound to
// "StartMinimize", the two pause options, "Show on every monitor", and the start/stop hotkey, bound
// to "HotKey" (a note under it says when another program holds the stored one). OK applies the flag
// to the shortcut; Cancel puts every value back.
class CSettingsCommonDlg : public CDialogParam {
public:
    static constexpr int kTemplate = 138;
    static constexpr int kStartWithWindows = 1017;
    static constexpr int kStartMinimized = 1018;
    static constexpr int kHotKeyControl = IDC_HOTKEY;
    static constexpr int kHotKeyNote = IDC_HOTKEY_NOTE;
    static constexpr int kPauseFullScreen = 1019;
    static constexpr int kPauseOnBattery = 1020;
    static constexpr int kEveryMonitor = IDC_EVERY_MONITOR;

    explicit CSettingsCommonDlg(ISettingsApp* app) : app(app) {}

    int OnCommand(UINT id, UINT code, HWND control) override;
    int OnInitDialog() override;

    // Takes the combination the hot-key control shows (cleared is none) and registers it.
    // False when the user chose one that another program holds; the one before stays.
    bool ApplyHotKey();
    // Says in a box which combination another program holds and puts the focus on the
    // hot-key control.
    void ReportTakenHotKey();

private:
    ISettingsApp* const app;
};
