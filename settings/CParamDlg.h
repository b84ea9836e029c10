#pragma once

#include "params/CParam.h"
#include "params/IParamDlg.h"
#include "settings/IControlBinding.h"

#include <windows.h>

// Binds one dialog control to one parameter of type T (int or bool). The control kind
// (ControlKind) decides how the control is read and written. Every read goes through the
// parameter's Set, which tells every binding of the parameter, this one included; a
// value the parameter does not take as it stands (a bounded parameter keeps the nearest
// bound) is written back into the control. A bool counts every non-zero control value as
// true and is written as 1. Without a control or a parameter every operation does nothing.
//
// An edit box follows the typing only while its text is a whole number within the bounds;
// any other text stays as typed until the commit (focus leaves the box, OK, or about a
// second without typing), which sets the nearest valid value and writes it back.
template <class T> class CParamDlg : public IParamDlgT<T>, public IControlBinding {
public:
    CParamDlg() = default;
    CParamDlg(const CParamDlg&) = delete;
    CParamDlg& operator=(const CParamDlg&) = delete;
    ~CParamDlg() override;

    void Setup(int kind, int controlId) override;
    // Does nothing without an id or a kind; otherwise finds the control, has the parameter
    // announce its bounds to all its bindings and writes the value into the control.
    void Connect(HWND dialog) override;
    void OnCommand(HWND dialog, UINT id, UINT code, HWND control) override;
    void OnNotify(HWND dialog, const NMHDR* header) override;
    // Writes the parameter's value into the control.
    int Update() override;
    void SetParam(IParam* parameter) override;
    IParam* GetParam() const override { return param; }
    // Spin controls and sliders take the bounds as their range.
    void SetRange(T min, T max) override;

    // Commits an edit box's typed text; does nothing for the other kinds.
    void Commit() override;

    IParamDlg* ParamSide() override { return this; }
    HWND Control() const { return control; }

private:
    bool IsLive() const { return control && param; }
    // Sets the parameter from a control value and rewrites the control when the parameter
    // kept a different value.
    void Take(LRESULT controlValue);
    int Value() const;
    void ReadCommand(UINT id, UINT code);
    // Reads the edit box while the user types and waits for the commit.
    void ReadTyped();
    void StartIdleCommit();
    void StopIdleCommit();
    static void CALLBACK OnIdle(HWND edit, UINT message, UINT_PTR timer, DWORD time) noexcept;
    void ChooseColour();
    void RedrawSwatch();

    HWND control = nullptr;
    int kind = 0;
    int controlId = 0;
    IParam* param = nullptr;
    CParam<T>* typed = nullptr; // the same parameter, for its value
    bool writing = false;       // the box's text is being set from the parameter
    bool reading = false;       // the parameter is being set from the box's text
    bool pending = false;       // the box shows typed text not yet committed
};

extern template class CParamDlg<int>;
extern template class CParamDlg<bool>;
