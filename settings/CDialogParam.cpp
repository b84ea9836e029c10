#include "settings/CDialogParam.h"

int CDialogParam::OnCommand(UINT id, UINT code, HWND control) {
    HandleCommand(Handle(), id, code, control);
    return CDialog::OnCommand(id, code, control);
}

int CDialogParam::OnNotify(UINT_PTR id, NMHDR* header, LPARAM* result) {
    HandleNotify(Handle(), header);
    return CDialog::OnNotify(id, header, result);
}

int CDialogParam::OnInitDialog() {
    InitControls(Handle());
    return 1;
}
