#include "windows/BindingTestDlg.h"

#include "windows/BindingTestIds.h"

namespace {

constexpr const char* kRadioData = "RADIO_DATA";
constexpr int kPropertyButtons[] = {IDC_BIND_PROP_A, IDC_BIND_PROP_B, IDC_BIND_PROP_C};

void AddItem(HWND combo, const char* text, LPARAM data) {
    const LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

} // namespace

int CBindingTestDlg::OnInitDialog() {
    HWND byData = GetDlgItem(Handle(), IDC_BIND_COMBO_DATA);
    AddItem(byData, "ten", 10);
    AddItem(byData, "twenty", 20);
    AddItem(byData, "thirty", 30);
    HWND byText = GetDlgItem(Handle(), IDC_BIND_COMBO_TEXT);
    for (const char* text : {"5", "15", "25"})
        AddItem(byText, text, 0);
    for (int i = 0; i < 3; ++i)
        SetPropA(GetDlgItem(Handle(), kPropertyButtons[i]), kRadioData,
                 reinterpret_cast<HANDLE>(static_cast<INT_PTR>(7 + i)));
    if (bind)
        bind(*this);
    return CDialogParam::OnInitDialog();
}

void CBindingTestDlg::OnDestroy() {
    for (int id : kPropertyButtons)
        RemovePropA(GetDlgItem(Handle(), id), kRadioData);
}

HWND CBindingTestDlg::Open() {
    HWND dialog = CreateModeless(nullptr, IDD_BINDING_TEST, nullptr);
    if (dialog) {
        ShowWindow(dialog, SW_SHOW);
        UpdateWindow(dialog);
    }
    return dialog;
}
