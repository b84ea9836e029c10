#include "settings/CSettingsCommonDlg.h"

#include "settings/ControlKind.h"
#include "settings/HotKeyWord.h"
#include "settings/ISettingsApp.h"

#include <commctrl.h>

int CSettingsCommonDlg::OnCommand(UINT id, UINT code, HWND control) {
    if (id == IDOK && code == 0)
        app->ApplyStartWithWindows();
    return CDialogParam::OnCommand(id, code, control);
}

int CSettingsCommonDlg::OnInitDialog() {
    app->ReadStartWithWindows();
    BindOrDisable(&app->StartWithWindows(), kCheckBox, kStartWithWindows);
    BindOrDisable(&app->StartMinimize(), kCheckBox, kStartMinimized);
    BindOrDisable(&app->PauseFullScreen(), kCheckBox, kPauseFullScreen);
    BindOrDisable(&app->PauseOnBattery(), kCheckBox, kPauseOnBattery);
    BindOrDisable(&app->EveryMonitor(), kCheckBox, kEveryMonitor);
    // A key without Ctrl or Alt, plain or shifted, becomes Ctrl+Alt and the key.
    SendDlgItemMessageA(Handle(), kHotKeyControl, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                        MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    BindOrDisable(&app->HotKey(), kHotKey, kHotKeyControl);
    ShowWindow(GetDlgItem(Handle(), kHotKeyNote), app->HotKeyTaken() ? SW_SHOW : SW_HIDE);
    CDialogParam::OnInitDialog();
    return 1;
}

bool CSettingsCommonDlg::ApplyHotKey() {
    if (!Handle())
        return true;
    // Read here: Backspace and Delete clear the control without telling the page.
    CParam<int>& hotKey = app->HotKey();
    hotKey.Set(
        static_cast<int>(SendDlgItemMessageA(Handle(), kHotKeyControl, HKM_GETHOTKEY, 0, 0)));
    // A stored combination that is still held elsewhere stays as it is, without a word.
    return app->ApplyHotKey() || !hotKey.IsChanged();
}

void CSettingsCommonDlg::ReportTakenHotKey() {
    const tstr text = tstr("The hotkey ") + HotKeyName(*app->HotKey().Get()) +
                      " is used by another program. Choose another one.";
    HWND window = GetAncestor(Handle(), GA_ROOT);
    char title[128] = {};
    GetWindowTextA(window, title, sizeof(title));
    MessageBoxA(window, text.str(), title, MB_OK | MB_ICONWARNING);
    SetFocus(GetDlgItem(Handle(), kHotKeyControl));
}
