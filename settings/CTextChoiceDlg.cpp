#include "settings/CTextChoiceDlg.h"

#include "params/ControlKind.h"

#include <cstring>

namespace {

const char* ItemText(HWND combo, int index) {
    const LRESULT data = SendMessageA(combo, CB_GETITEMDATA, index, 0);
    return data == CB_ERR ? nullptr : reinterpret_cast<const char*>(data);
}

} // namespace

void CTextChoiceDlg::Setup(int kind, int newControlId) {
    controlId = kind == kComboByData ? newControlId : 0;
}

void CTextChoiceDlg::Connect(HWND dialog) {
    if (controlId == 0)
        return;
    control = GetDlgItem(dialog, controlId);
    Update();
}

void CTextChoiceDlg::OnCommand(HWND, UINT id, UINT code, HWND) {
    if (!control || !typed || id != static_cast<UINT>(controlId) || code != CBN_SELCHANGE)
        return;
    const int selected = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
    if (const char* text = selected >= 0 ? ItemText(control, selected) : nullptr)
        typed->Set(text);
}

void CTextChoiceDlg::SetParam(IParam* parameter) {
    typed = dynamic_cast<CParam<tstr>*>(parameter);
    param = typed ? parameter : nullptr;
}

int CTextChoiceDlg::Update() {
    if (!control || !typed)
        return 0;
    const int count = static_cast<int>(SendMessageA(control, CB_GETCOUNT, 0, 0));
    int chosen = 0;
    for (int i = 0; i < count; ++i) {
        const char* text = ItemText(control, i);
        if (text && std::strcmp(text, typed->Get()->str()) == 0)
            chosen = i;
    }
    SendMessageA(control, CB_SETCURSEL, count > 0 ? chosen : -1, 0);
    return 1;
}
