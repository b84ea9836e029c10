#pragma once

#include <windows.h>

class IParam;
class IParamDlg;

// The dialog side of a parameter binding: what a dialog's binding list asks of each
// binding. The parameter side (IParamDlg) is what the parameter calls.
class IControlBinding {
public:
    virtual ~IControlBinding() = default;

    virtual void Setup(int kind, int controlId) = 0;
    // Finds the control in the dialog and fills it from the parameter.
    virtual void Connect(HWND dialog) = 0;
    // Reads the control into the parameter when the command concerns it.
    virtual void OnCommand(HWND dialog, UINT id, UINT code, HWND control) = 0;
    // Reads a focused slider into the parameter on its repaint or release notification.
    virtual void OnNotify(HWND dialog, const NMHDR* header) = 0;
    // Sets the parameter from what the user typed and not yet committed, if anything, and
    // shows the value it took.
    virtual void Commit() = 0;
    // Stores the parameter (null detaches); a parameter of another type is refused.
    virtual void SetParam(IParam* parameter) = 0;
    virtual IParam* GetParam() const = 0;
    // The same object as the parameter sees it.
    virtual IParamDlg* ParamSide() = 0;
};
