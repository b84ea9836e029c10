#pragma once

#include "params/ProgramRule.h"
#include "resources/resource.h"
#include "settings/CDialogParam.h"

#include <windows.h>

#include <string>
#include <vector>

class ISettingsApp;

// The "Programs" page of the settings window (template 170): the per-program rules in a
// list view, one row per program with its action, in the order of the programs' names;
// below it the selected row's action, "Add..." (a program with a window now, or one browsed
// for; it starts with "Pause while in front") and "Remove". Every change goes into the
// rules at once; OK keeps them, Cancel puts back the rules of the moment of opening.
//
// By keyboard: the arrow keys choose a row and Delete removes it; Tab reaches the action,
// "Add..." and "Remove"; Enter and Esc work the settings window as in any dialog.
class CSettingsProgramsDlg : public CDialogParam {
public:
    static constexpr int kTemplate = IDD_SETTINGS_PROGRAMS;
    static constexpr int kList = IDC_PROGRAM_LIST;
    static constexpr int kAction = IDC_PROGRAM_ACTION;

    explicit CSettingsProgramsDlg(ISettingsApp* app) : app(app) {}

    int OnInitDialog() override;
    int OnCommand(UINT id, UINT code, HWND control) override;
    int OnNotify(UINT_PTR id, NMHDR* header, LPARAM* result) override;

    // Fills the list from the rules, the program chosen last selected.
    void ShowRules();

private:
    // The action list shows the selected row's action; it and "Remove" work only while a
    // row is selected.
    void ShowSelectedAction();
    void AddProgram();
    void RemoveSelected();
    void TakeAction();
    // The selected row's rule; null when none is selected.
    const ProgramRule* Selected() const;
    HWND Control(int id) const { return GetDlgItem(Handle(), id); }

    ISettingsApp* const app;
    std::vector<ProgramRule> rows; // the rules as the list shows them
    std::string chosen;            // the program whose row is to be selected
    bool filling = false;          // the list is being filled: its notifications are ours
};
