#pragma once

#include "params/CParam.h"
#include "settings/IControlBinding.h"

#include <windows.h>

#include <memory>
#include <vector>

// A dialog's parameter bindings, in the order they were added. The set owns them: a
// binding released by UnbindAll lets go of its parameter at once, so a parameter changed
// later never reaches the closed dialog's controls. A binding is destroyed once none of
// the set's handlers is on the stack any more: a binding's command may run a modal loop
// (the colour dialog) in which the dialog is cancelled or closed.
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
    [[nodiscard]] bool Bind(IParam* parameter, std::unique_ptr<IControlBinding> binding);
    // A new binding of the given control kind (ControlKind) and control id.
    [[nodiscard]] bool BindControl(CParam<int>* parameter, int kind, int controlId);
    [[nodiscard]] bool BindControl(CParam<bool>* parameter, int kind, int controlId);
    // A text parameter takes a drop-down list (kComboByData) only.
    [[nodiscard]] bool BindControl(CParam<tstr>* parameter, int kind, int controlId);

    // For each binding in order: snapshot its parameter, connect it to its control (which
    // fills the control and gives spin controls and sliders their range), and let the
    // parameter announce its bounds again.
    void InitControls(HWND dialog);
    // OK (id 1, clicked): every typed text committed, focus to the OK button, release the
    // bindings, values kept.
    // Cancel (id 2, clicked): every parameter back to its snapshot, then release.
    // Anything else: every binding reads its control when the command concerns it.
    void HandleCommand(HWND dialog, UINT id, UINT code, HWND control);
    void HandleNotify(HWND dialog, const NMHDR* header);
    // Detaches every binding from its parameter and destroys it.
    void UnbindAll();

    int BindingCount() const { return static_cast<int>(bindings.size()); }
    // The parameters that open dialogs edit (their controls filled, their bindings not yet
    // released), each once.
    static std::vector<IParam*> OpenDialogParams();

private:
    // Counts a handler of the set on the stack; the last to return destroys the bindings
    // released meanwhile.
    class CHandlerScope {
    public:
        explicit CHandlerScope(CParamDlgSet& set) : set(set) { ++set.handlerDepth; }
        ~CHandlerScope();
        CHandlerScope(const CHandlerScope&) = delete;
        CHandlerScope& operator=(const CHandlerScope&) = delete;

    private:
        CParamDlgSet& set;
    };

    std::vector<std::unique_ptr<IControlBinding>> bindings;
    std::vector<std::unique_ptr<IControlBinding>> released; // kept while handlers run
    int handlerDepth = 0;
};
