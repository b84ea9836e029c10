#include "settings/CSettingsDlg.h"

#include "resources/resource.h"
#include "settings/ISettingsApp.h"
#include "ui/UiText.h"

#include <commctrl.h>

#include <string>

namespace {

// The program's icon in the caption of the resizable window, which would otherwise show
// the system's default one. A shared icon: the system frees it.
void ShowProgramIcon(HWND dialog) {
    const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    const auto icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDI_EMBRA), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (icon)
        SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void PlaceOnTop(HWND page, const RECT& area) {
    SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOACTIVATE);
}

} // namespace

int CSettingsDlg::OnCommand(UINT id, UINT code, HWND control) {
    // A hotkey that another program holds keeps the window open on its page.
    if (id == IDOK && code == 0 && !commonPage.ApplyHotKey()) {
        const int shown = static_cast<int>(SendMessageA(tabControl, TCM_GETCURSEL, 0, 0));
        SendMessageA(tabControl, TCM_SETCURSEL, kCommonTab, 0);
        ShowPage(shown, false);
        ShowPage(kCommonTab, true);
        commonPage.ReportTakenHotKey();
        return 1;
    }
    const int result = CDialogSize::OnCommand(id, code, control);
    if ((id == IDOK || id == IDCANCEL) && code == 0) {
        for (HWND page : pages)
            if (page)
                SendMessageA(page, WM_COMMAND, id, 0);
        if (id == IDOK) {
            app->ApplyOptions();
            app->SaveSettings();
        }
    }
    return result;
}

int CSettingsDlg::OnNotify(UINT_PTR id, NMHDR* header, LPARAM* result) {
    if (id == kTab && header->hwndFrom == tabControl) {
        const int selected = static_cast<int>(SendMessageA(tabControl, TCM_GETCURSEL, 0, 0));
        if (header->code == TCN_SELCHANGING)
            ShowPage(selected, false);
        else if (header->code == TCN_SELCHANGE)
            ShowPage(selected, true);
    }
    return CDialogSize::OnNotify(id, header, result);
}

int CSettingsDlg::OnInitDialog() {
    if (!CDialogSize::OnInitDialog())
        return 0;
    ShowProgramIcon(Handle());
    tabControl = GetDlgItem(Handle(), kTab);
    RECT area = DisplayArea();
    InsertTabs();
    BelowTabs(area);
    CreatePages();
    AnchorPages(area);
    RECT client{};
    GetClientRect(Handle(), &client);
    Sizer()->Layout(client.right, client.bottom);
    return 1;
}

HWND CSettingsDlg::Page(int position) const {
    return position >= 0 && position < kPageCount ? pages[position] : nullptr;
}

RECT CSettingsDlg::DisplayArea() const {
    RECT area{};
    GetWindowRect(tabControl, &area);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
    SendMessageA(tabControl, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return area;
}

void CSettingsDlg::InsertTabs() {
    const UINT texts[] = {IDS_TAB_LIST, IDS_TAB_COMMON, IDS_TAB_PROGRAMS};
    const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(Handle(), GWLP_HINSTANCE));
    for (int position = kListTab; position < kPageCount; ++position) {
        std::wstring text = Utf16(UiText(module, texts[position]));
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text.data();
        item.iImage = 0;
        SendMessageW(tabControl, TCM_INSERTITEMW, position, reinterpret_cast<LPARAM>(&item));
    }
}

void CSettingsDlg::BelowTabs(RECT& area) const {
    RECT tab{};
    SendMessageA(tabControl, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    const int rows = static_cast<int>(SendMessageA(tabControl, TCM_GETROWCOUNT, 0, 0));
    area.top += rows * (tab.bottom - tab.top);
    area.left -= 2;
}

void CSettingsDlg::CreatePages() {
    pages[kListTab] = listPage.CreateModeless(nullptr, CSettingsListDlg::kTemplate, Handle());
    pages[kCommonTab] = commonPage.CreateModeless(nullptr, CSettingsCommonDlg::kTemplate, Handle());
    pages[kProgramsTab] =
        programsPage.CreateModeless(nullptr, CSettingsProgramsDlg::kTemplate, Handle());
    ShowPage(kListTab, true);
    ShowPage(kCommonTab, false);
    ShowPage(kProgramsTab, false);
}

void CSettingsDlg::AnchorPages(const RECT& area) {
    CSizer* sizer = Sizer();
    sizer->AddWindow(pages[kListTab], CSizer::kAutomatic);
    for (int position : {kCommonTab, kProgramsTab}) {
        if (!pages[position])
            continue;
        PlaceOnTop(pages[position], area);
        sizer->AddWindow(pages[position], CSizer::kFollowRight | CSizer::kFollowBottom);
    }
    sizer->AddWindow(tabControl, CSizer::kAutomatic);
    sizer->AddControl(IDOK, CSizer::kAutomatic);
    sizer->AddControl(IDCANCEL, CSizer::kAutomatic);
    if (pages[kListTab])
        PlaceOnTop(pages[kListTab], area);
}

void CSettingsDlg::ShowPage(int position, bool show) const {
    if (HWND page = Page(position))
        ShowWindow(page, show ? SW_SHOW : SW_HIDE);
}
