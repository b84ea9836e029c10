#include "settings/CParamDlgSet.h"

#include "params/ControlKind.h"
#include "settings/CParamDlg.h"
#include "settings/CTextChoiceDlg.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace {

// The sets whose dialogs are open: InitControls filled their controls and UnbindAll has
// not yet run. Used on the user-interface thread only.
std::vector<CParamDlgSet*>& OpenSets() {
    static std::vector<CParamDlgSet*> sets;
    return sets;
}

} // namespace

CParamDlgSet::~CParamDlgSet() {
    UnbindAll();
}

bool CParamDlgSet::Bind(IParam* parameter, std::unique_ptr<IControlBinding> binding) {
    if (!binding)
        return true;
    binding->SetParam(parameter);
    if (!parameter || !parameter->AddBinding(binding->ParamSide()))
        return false;
    bindings.push_back(std::move(binding));
    return true;
}

bool CParamDlgSet::BindControl(CParam<int>* parameter, int kind, int controlId) {
    auto binding = std::make_unique<CParamDlg<int>>();
    binding->Setup(kind, controlId);
    return Bind(parameter, std::move(binding));
}

bool CParamDlgSet::BindControl(CParam<bool>* parameter, int kind, int controlId) {
    auto binding = std::make_unique<CParamDlg<bool>>();
    binding->Setup(kind, controlId);
    return Bind(parameter, std::move(binding));
}

bool CParamDlgSet::BindControl(CParam<tstr>* parameter, int kind, int controlId) {
    if (kind != kComboByData)
        return false;
    auto binding = std::make_unique<CTextChoiceDlg>();
    binding->Setup(kind, controlId);
    return Bind(parameter, std::move(binding));
}

void CParamDlgSet::InitControls(HWND dialog) {
    if (std::find(OpenSets().begin(), OpenSets().end(), this) == OpenSets().end())
        OpenSets().push_back(this);
    for (const auto& binding : bindings) {
        IParam* parameter = binding->GetParam();
        parameter->Store();
        binding->Connect(dialog);
        parameter->RefreshRange(0);
    }
}

CParamDlgSet::CHandlerScope::~CHandlerScope() {
    if (--set.handlerDepth == 0)
        set.released.clear();
}

void CParamDlgSet::HandleCommand(HWND dialog, UINT id, UINT code, HWND control) {
    const CHandlerScope scope(*this);
    if (id == IDCANCEL && code == BN_CLICKED) {
        for (const auto& binding : bindings)
            binding->GetParam()->Restore();
        UnbindAll();
    } else if (id == IDOK && code == BN_CLICKED) {
        for (const auto& binding : bindings)
            binding->Commit();
        SetFocus(GetDlgItem(dialog, IDOK));
        UnbindAll();
    } else {
        // By index: a binding's command may release every binding before it returns.
        for (std::size_t i = 0; i < bindings.size(); ++i)
            bindings[i]->OnCommand(dialog, id, code, control);
    }
}

void CParamDlgSet::HandleNotify(HWND dialog, const NMHDR* header) {
    const CHandlerScope scope(*this);
    for (std::size_t i = 0; i < bindings.size(); ++i)
        bindings[i]->OnNotify(dialog, header);
}

void CParamDlgSet::UnbindAll() {
    OpenSets().erase(std::remove(OpenSets().begin(), OpenSets().end(), this), OpenSets().end());
    while (!bindings.empty()) {
        std::unique_ptr<IControlBinding> binding = std::move(bindings.front());
        bindings.erase(bindings.begin());
        if (IParam* parameter = binding->GetParam())
            parameter->RemoveBinding(binding->ParamSide());
        binding->SetParam(nullptr);
        if (handlerDepth > 0)
            released.push_back(std::move(binding));
    }
}

std::vector<IParam*> CParamDlgSet::OpenDialogParams() {
    std::vector<IParam*> params;
    for (const CParamDlgSet* set : OpenSets())
        for (const auto& binding : set->bindings) {
            IParam* parameter = binding->GetParam();
            if (parameter && std::find(params.begin(), params.end(), parameter) == params.end())
                params.push_back(parameter);
        }
    return params;
}
