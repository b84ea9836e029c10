#include "settings/CSettingsCommonDlg.h"

#include "settings/ControlKind.h"
#include "settings/ISettingsApp.h"

int CSettingsCommonDlg::OnCommand(UINT id, UINT code, HWND control) {
    if (id == IDOK && code == 0)
        app->ApplyStartWithWindows();
    return CDialogParam::OnCommand(id, code, control);
}

int CSettingsCommonDlg::OnInitDialog() {
    app->ReadStartWithWindows();
    BindControl(&app->StartWithWindows(), kCheckBox, kStartWithWindows);
    BindControl(&app->StartMinimize(), kCheckBox, kStartMinimized);
    BindControl(&app->PauseFullScreen(), kCheckBox, kPauseFullScreen);
    BindControl(&app->PauseOnBattery(), kCheckBox, kPauseOnBattery);
    CDialogParam::OnInitDialog();
    return 1;
}
