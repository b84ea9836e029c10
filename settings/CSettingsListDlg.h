#pragma once

#include "resources/resource.h"
#include "ui/CDialog.h"
#include "ui/CNavPaneWndParent.h"

#include <windows.h>

#include <cstdint>

class CNavPaneItem;
class CNavPaneWnd;
class CSet;
class ISettingsApp;

// The "Items list" page of the settings window (template 139): one coloured entry per
// effect set in the navigation pane, each with a settings tool at its left end, which opens
// the effect's own dialog, and a selection mark at its right end. OK makes the marked set
// the active one, stopping and starting the effect as the main dialog does, when it is not
// the set that was active at opening.
//
// By keyboard: the arrow keys move the focused entry, Space marks it (chooses that
// effect), the context-menu key or Shift+F10 opens its effect's own dialog; Tab, Enter
// and Esc work the settings window as in any dialog.
class CSettingsListDlg : public virtual CDialog, public CNavPaneWndParent {
public:
    static constexpr int kTemplate = IDD_SETTINGS_LIST;
    static constexpr int kPane = IDC_EFFECT_LIST;
    static constexpr uint32_t kSettingsTool = IDT_EFFECT_SETTINGS;
    static constexpr uint32_t kMarkTool = IDT_EFFECT_MARK;
    static constexpr int kEntryHeight = 36;
    static constexpr int kSettingsImage = IDB_EFFECT_SETTINGS;
    static constexpr int kMarkImage = IDB_MARK_OFF;
    static constexpr int kMarkedImage = IDB_MARK_ON;
    static constexpr int kScreenImage = IDB_EFFECT_SCREEN;

    explicit CSettingsListDlg(ISettingsApp* app) : app(app) {}

    int OnCommand(UINT id, UINT code, HWND control) override;
    // Fills the pane; 0 when the template's pane has no object.
    int OnInitDialog() override;
    int OnToolCommand(UINT command, CNavPaneItem* entry) override;
    int OnKey(UINT message, UINT key, LPARAM lParam) override;

    CNavPaneWnd* Pane() const { return pane; }

private:
    void AddEntry(CSet* set);
    // The set whose entry carries the mark; null when none does.
    CSet* MarkedSet() const;
    void SwitchTo(CSet* set);

    ISettingsApp* const app;
    CNavPaneWnd* pane = nullptr;
    CSet* setAtOpening = nullptr;
};
