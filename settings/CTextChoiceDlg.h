#pragma once

#include "params/CParam.h"
#include "params/IParamDlg.h"
#include "params/tstr.h"
#include "settings/IControlBinding.h"

#include <windows.h>

// Binds a drop-down list to a text parameter (control kind kComboByData): each item's data
// points at the static text it stands for, choosing an item sets that text, and a change
// of the parameter selects the item of its text, or the first item when none has it (the
// list's first item stands for the default). Without a control or a parameter every
// operation does nothing.
class CTextChoiceDlg : public IParamDlgT<tstr>, public IControlBinding {
public:
    void Setup(int kind, int controlId) override;
    void Connect(HWND dialog) override;
    void OnCommand(HWND dialog, UINT id, UINT code, HWND control) override;
    void OnNotify(HWND, const NMHDR*) override {}
    void Commit() override {}
    void SetParam(IParam* parameter) override;
    IParam* GetParam() const override { return param; }
    IParamDlg* ParamSide() override { return this; }
    // Selects the item of the parameter's text.
    int Update() override;
    void SetRange(tstr, tstr) override {}

private:
    HWND control = nullptr;
    int controlId = 0;
    IParam* param = nullptr;
    CParam<tstr>* typed = nullptr; // the same parameter, for its value
};
