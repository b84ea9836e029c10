#include "settings/CAddProgramDlg.h"

#include "params/ProgramRule.h"
#include "params/Utf16_win.h"
#include "settings/ProgramListView.h"
#include "ui/UiText.h"

#include <commctrl.h>
#include <commdlg.h>

#include <string>

namespace {

// Long paths as the open dialog may give them: up to 32767 characters.
constexpr DWORD kPathChars = 32768;

} // namespace

int CAddProgramDlg::OnInitDialog() {
    HWND list = GetDlgItem(Handle(), kList);
    SetUpListView(list, {100});
    for (const std::string& program : programs)
        InsertListRow(list, {program});
    SelectListRow(list, programs.empty() ? -1 : 0);
    SetFocus(list);
    return 0; // the focus is set
}

int CAddProgramDlg::OnCommand(UINT id, UINT code, HWND control) {
    if (id == IDOK && code == 0 && !TakeSelected())
        return 1; // nothing chosen: the dialog stays
    if (id == IDC_BROWSE_PROGRAM && code == BN_CLICKED) {
        if (Browse())
            OnOK();
        return 1;
    }
    return CDialog::OnCommand(id, code, control);
}

int CAddProgramDlg::OnNotify(UINT_PTR id, NMHDR* header, LPARAM* result) {
    if (id == static_cast<UINT_PTR>(kList) && header->code == NM_DBLCLK && TakeSelected()) {
        OnOK();
        return 1;
    }
    return CDialog::OnNotify(id, header, result);
}

bool CAddProgramDlg::TakeSelected() {
    const int row = SelectedListRow(GetDlgItem(Handle(), kList));
    if (row < 0 || row >= static_cast<int>(programs.size()))
        return false;
    chosen = programs[static_cast<std::size_t>(row)];
    return true;
}

bool CAddProgramDlg::Browse() {
    const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(Handle(), GWLP_HINSTANCE));
    // "<name>\0*.exe\0\0": the filter's name and its pattern.
    std::wstring filter = Utf16(UiText(module, IDS_PROGRAM_FILTER));
    filter += L'\0';
    filter += L"*.exe";
    filter += L'\0';
    std::wstring path(kPathChars, L'\0');
    OPENFILENAMEW open{};
    open.lStructSize = sizeof(open);
    open.hwndOwner = Handle();
    open.lpstrFilter = filter.c_str();
    open.lpstrFile = path.data();
    open.nMaxFile = kPathChars;
    open.lpstrDefExt = L"exe";
    open.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_DONTADDTORECENT;
    if (!GetOpenFileNameW(&open))
        return false;
    chosen = ProgramFileName(Utf8(path.c_str()).str());
    return !chosen.empty();
}
