#include "settings/CSettingsCommonDlg.h"

#include "params/TextTemplate.h"
#include "settings/HotKeyWord.h"
#include "settings/ISettingsApp.h"
#include "settings/LanguageChoice.h"
#include "ui/UiText.h"

#include <commctrl.h>

int CSettingsCommonDlg::OnInitDialog() {
    app->ReadOptions();
    FillLanguageChoice(GetDlgItem(Handle(), IDC_LANGUAGE), Module());
    for (const OptionRow& row : app->Options()) {
        if (row.control == 0)
            continue;
        // A key without Ctrl or Alt, plain or shifted, becomes Ctrl+Alt and the key.
        if (row.kind == kHotKey)
            SendDlgItemMessageA(Handle(), row.control, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                                MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
        std::visit([this, &row](auto* param) { BindOrDisable(param, row.kind, row.control); },
                   row.param);
    }
    ShowWindow(GetDlgItem(Handle(), IDC_HOTKEY_NOTE), app->HotKeyTaken() ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(Handle(), IDC_CAPTURE_NOTE),
               app->CaptureExclusionRefused() ? SW_SHOW : SW_HIDE);
    CDialogParam::OnInitDialog();
    return 1;
}

bool CSettingsCommonDlg::ApplyHotKey() {
    const OptionRow* row = HotKeyRow();
    if (!Handle() || !row)
        return true;
    // Read here: Backspace and Delete clear the control without telling the page.
    CParam<int>& hotKey = *std::get<CParam<int>*>(row->param);
    hotKey.Set(static_cast<int>(SendDlgItemMessageA(Handle(), row->control, HKM_GETHOTKEY, 0, 0)));
    // A stored combination that is still held elsewhere stays as it is, without a word.
    return app->ApplyHotKey() || !hotKey.IsChanged();
}

void CSettingsCommonDlg::ReportTakenHotKey() {
    const HINSTANCE module = Module();
    const std::string text = FillTemplate(UiText(module, IDS_HOTKEY_TAKEN).str(),
                                          {HotKeyName(module, *HotKey().Get()).str()});
    HWND window = GetAncestor(Handle(), GA_ROOT);
    wchar_t title[128] = {};
    GetWindowTextW(window, title, 128);
    ShowUiMessage(window, text.c_str(), Utf8(title), MB_OK | MB_ICONWARNING);
    SetFocus(GetDlgItem(Handle(), IDC_HOTKEY));
}

HINSTANCE CSettingsCommonDlg::Module() const {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(Handle(), GWLP_HINSTANCE));
}

const OptionRow* CSettingsCommonDlg::HotKeyRow() const {
    for (const OptionRow& row : app->Options())
        if (row.kind == kHotKey)
            return &row;
    return nullptr;
}

CParam<int>& CSettingsCommonDlg::HotKey() const {
    return *std::get<CParam<int>*>(HotKeyRow()->param);
}
