#pragma once

#include "params/CParam.h"
#include "settings/IControlBinding.h"

#include <windows.h>

#include <memory>
#include <vector>

// A dialog's parameter bindings, in the order they were added. The set owns them: a
// binding released by UnbindAll is destroyed at once, so a parameter changed later never
// reaches the closed dialog's controls.
class CParamDlgSet {
public:
    CParamDlgSet() = default;
    CParamDlgSet(const CParamDlgSet&) = delete;
    CParamDlgSet& operator=(const CParamDlgSet&) = delete;
    // Releases every binding still held.
    ~CParamDlgSet();

    // Takes the binding, gives it the parameter and registers it with the parameter. False
    // when the parameter is null or refuses it (the binding is then destroyed); true
    // without effect for a null binding. Owned by one set, a binding cannot be held twice.
    bool Bind(IParam* parameter, std::unique_ptr<IControlBinding> binding);
    // A new binding of the given control kind (ControlKind) and control id.
    bool BindControl(CParam<int>* parameter, int kind, int controlId);
    bool BindControl(CParam<bool>* parameter, int kind, int controlId);

    // For each binding in order: snapshot its parameter, connect it to its control (which
    // fills the control and gives spin controls and sliders their range), and let the
    // parameter announce its bounds again.
    void InitControls(HWND dialog);
    // OK (id 1, clicked): every typed text committed, focus to the OK button, release the
    // bindings, values kept.
    // Cancel (id 2, clicked): every parameter back to its snapshot, then release.
    // Anything else: every binding reads its control when the command concerns it.
    int HandleCommand(HWND dialog, UINT id, UINT code, HWND control);
    int HandleNotify(HWND dialog, const NMHDR* header);
    // Detaches every binding from its parameter and destroys it.
    void UnbindAll();

    int BindingCount() const { return static_cast<int>(bindings.size()); }

private:
    std::vector<std::unique_ptr<IControlBinding>> bindings;
};
