#pragma once

#include "resources/resource.h"
#include "settings/CDialogParam.h"
#include "system/OptionRow.h"

#include <windows.h>

class ISettingsApp;

// The "Common" page of the settings window (template 138): one control per row of the
// options table, bound to the row's parameter, in groups. The start-with-Windows flag is
// read back from the start-up shortcut at opening; a note under the hot-key control says
// when another program holds the stored hotkey, and one under the capture option when the
// system refuses to hide the effect from capture; the language's list offers Windows' own
// and each language of the program by its own name. Cancel puts every value back.
class CSettingsCommonDlg : public CDialogParam {
public:
    static constexpr int kTemplate = IDD_SETTINGS_COMMON;

    explicit CSettingsCommonDlg(ISettingsApp* app) : app(app) {}

    int OnInitDialog() override;

    // Takes the combination the hot-key control shows (cleared is none) and registers it.
    // False when the user chose one that another program holds; the one before stays.
    bool ApplyHotKey();
    // Says in a box which combination another program holds and puts the focus on the
    // hot-key control.
    void ReportTakenHotKey();

private:
    // The row of the hot-key control; null when the table has none.
    const OptionRow* HotKeyRow() const;
    // The hotkey option's parameter.
    CParam<int>& HotKey() const;
    // The module the page's template came from, which holds its texts.
    HINSTANCE Module() const;

    ISettingsApp* const app;
};
