#pragma once

#include "settings/CParamDlgSet.h"
#include "ui/CDialog.h"

#include <windows.h>

// A dialog whose controls edit parameters through bindings. A concrete dialog adds its
// bindings with BindControl in its OnInitDialog and then calls this class's OnInitDialog,
// which snapshots the parameters and fills the controls. Every change in a control is
// written into its parameter at once; OK keeps the values, Cancel (and the close box,
// which the system reports as Cancel) puts back the values of the moment of opening.
class CDialogParam : public virtual CDialog, public CParamDlgSet {
public:
    CDialogParam() = default;
    ~CDialogParam() override = default;

    // The bindings read their controls (OK and Cancel release them), then CDialog's
    // default ends the dialog on OK and Cancel.
    int OnCommand(UINT id, UINT code, HWND control) override;
    int OnNotify(UINT_PTR id, NMHDR* header, LPARAM* result) override;
    // Fills the controls from the parameters of the bindings added so far; returns 1.
    int OnInitDialog() override;

    // BindControl; a control whose binding is refused is disabled, so that no change the
    // user makes there goes unkept.
    template <class T> void BindOrDisable(CParam<T>* parameter, int kind, int controlId) {
        if (!BindControl(parameter, kind, controlId))
            EnableWindow(GetDlgItem(Handle(), controlId), FALSE);
    }
};
