#pragma once

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
    static constexpr int kTemplate = 139;
    static constexpr int kPane = 1018;
    static constexpr uint32_t kSettingsTool = 1002;
    static constexpr uint32_t kMarkTool = 1026;
    static constexpr int kEntryHeight = 36;
    static constexpr int kSettingsImage = 158;
    static constexpr int kMarkImage = 155;
    static constexpr int kMarkedImage = 156;
    static constexpr int kScreenImage = 157;

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
