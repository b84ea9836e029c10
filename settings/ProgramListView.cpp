#include "settings/ProgramListView.h"

#include "params/Utf16_win.h"

#include <commctrl.h>

void SetUpListView(HWND list, const std::vector<int>& percents,
                   const std::vector<std::string>& titles) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (std::size_t column = 0; column < percents.size(); ++column) {
        std::wstring title = column < titles.size() ? Utf16(titles[column].c_str()) : L"";
        LVCOLUMNW info{};
        info.mask = LVCF_TEXT | LVCF_WIDTH;
        info.pszText = title.data();
        SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&info));
    }
    FitListColumns(list, percents);
}

void FitListColumns(HWND list, const std::vector<int>& percents) {
    RECT client{};
    GetClientRect(list, &client);
    for (std::size_t column = 0; column < percents.size(); ++column)
        SendMessageW(list, LVM_SETCOLUMNWIDTH, column, MulDiv(client.right, percents[column], 100));
}

void InsertListRow(HWND list, const std::vector<std::string>& texts) {
    const auto row = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (std::size_t column = 0; column < texts.size(); ++column) {
        std::wstring text = Utf16(texts[column].c_str());
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.iSubItem = static_cast<int>(column);
        item.pszText = text.data();
        SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0,
                     reinterpret_cast<LPARAM>(&item));
    }
}

void SelectListRow(HWND list, int row) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    if (row < 0)
        return;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
}

int SelectedListRow(HWND list) {
    return static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}
