#pragma once

#include "resources/resource.h"
#include "ui/CDialog.h"

#include <windows.h>

#include <string>
#include <vector>

// "Add a program" (template 171): the programs that have a window now, one of which OK
// (or a double click, or Enter) takes, and "Browse..." for a program file, which the
// system's open dialog picks and which is taken at once. By keyboard: the arrow keys choose
// in the list, Tab reaches "Browse...", Enter is OK and Esc Cancel.
class CAddProgramDlg : public virtual CDialog {
public:
    static constexpr int kTemplate = IDD_ADD_PROGRAM;
    static constexpr int kList = IDC_WINDOW_PROGRAMS;

    explicit CAddProgramDlg(std::vector<std::string> programs) : programs(std::move(programs)) {}

    int OnInitDialog() override;
    int OnCommand(UINT id, UINT code, HWND control) override;
    int OnNotify(UINT_PTR id, NMHDR* header, LPARAM* result) override;

    // The program's file name (UTF-8) once the dialog ended with OK.
    const std::string& Chosen() const { return chosen; }

private:
    // Takes the program of the list's selected row; false when none is selected.
    bool TakeSelected();
    // The system's open dialog for a program file; false when the user cancelled it.
    bool Browse();

    std::vector<std::string> programs;
    std::string chosen;
};
