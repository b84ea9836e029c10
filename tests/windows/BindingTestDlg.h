#pragma once

#include "params/CEdges.h"
#include "params/CParam.h"
#include "settings/CDialogParam.h"

#include <windows.h>

#include <functional>
#include <utility>

// A bounded int parameter named "test", configured the way the effect sets do it.
struct CBoundedParam : CEdges<CParam<int>, int> {
    CBoundedParam(int min, int max, int initial) {
        SetRange(min, max);
        Set(initial);
        SetName("test");
    }
};

// The binding test dialog (BindingTest.rc), shown modeless: the combo boxes hold the items
// 10, 20, 30 (item data) and "5", "15", "25" (texts), the second radio group carries the
// "RADIO_DATA" properties 7, 8, 9. `bind` adds the bindings before the controls are filled.
class CBindingTestDlg : public CDialogParam {
public:
    explicit CBindingTestDlg(std::function<void(CBindingTestDlg&)> bind) : bind(std::move(bind)) {}

    int OnInitDialog() override;
    void OnDestroy() override;

    // Creates and shows the dialog; null when it cannot be created.
    HWND Open();

private:
    std::function<void(CBindingTestDlg&)> bind;
};
