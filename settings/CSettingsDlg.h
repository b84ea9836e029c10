#pragma once

#include "resources/resource.h"
#include "settings/CSettingsCommonDlg.h"
#include "settings/CSettingsListDlg.h"
#include "ui/CDialogSize.h"

#include <windows.h>

class ISettingsApp;

// The settings window (template 137): a resizable dialog with a tab control whose two
// pages are modeless child dialogs laid over its display area, "Items list" (the effects)
// and "Common" (the start-up options). Switching tabs only shows and hides the pages. OK
// and Cancel reach both pages; OK also writes the options and the active set's key to the
// store at once, so that a switch of the effect survives a crash. OK with a newly chosen
// hotkey that another program holds is refused with a box, on the "Common" page.
class CSettingsDlg : public CDialogSize {
public:
    static constexpr int kTemplate = IDD_SETTINGS;
    static constexpr int kTab = IDC_SETTINGS_TAB;
    static constexpr int kListTab = 0;
    static constexpr int kCommonTab = 1;

    explicit CSettingsDlg(ISettingsApp* app) : app(app), listPage(app), commonPage(app) {}
    ~CSettingsDlg() override = default;

    int OnCommand(UINT id, UINT code, HWND control) override;
    // Hides the page of the tab being left and shows that of the tab chosen.
    int OnNotify(UINT_PTR id, NMHDR* header, LPARAM* result) override;
    int OnInitDialog() override;

    HWND TabControl() const { return tabControl; }
    // The page window of a tab position, null for any other position.
    HWND Page(int position) const;
    CSettingsListDlg& ListPage() { return listPage; }
    CSettingsCommonDlg& CommonPage() { return commonPage; }

private:
    // The display area that the tab control makes of its rectangle, in the dialog's
    // client coordinates, before it has tabs.
    RECT DisplayArea() const;
    void InsertTabs();
    // Moves the top of the area below the rows of tabs, its left edge 2 pixels left.
    void BelowTabs(RECT& area) const;
    void CreatePages();
    // The pages are added to the sizer where they are made, so that the pane keeps its
    // margins inside the list page; the common page, whose controls stay where they are,
    // is laid over the area first and then added to stretch with the dialog.
    void AnchorPages(const RECT& area);
    void ShowPage(int position, bool show) const;

    ISettingsApp* const app;
    CSettingsListDlg listPage;
    CSettingsCommonDlg commonPage;
    HWND tabControl = nullptr;
    HWND pages[2] = {};
};
