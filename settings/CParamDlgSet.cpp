#include "settings/CParamDlgSet.h"

#include "settings/CParamDlg.h"

#include <utility>

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

void CParamDlgSet::InitControls(HWND dialog) {
    for (const auto& binding : bindings) {
        IParam* parameter = binding->GetParam();
        parameter->Store();
        binding->Connect(dialog);
        parameter->RefreshRange(0);
    }
}

int CParamDlgSet::HandleCommand(HWND dialog, UINT id, UINT code, HWND control) {
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
        for (const auto& binding : bindings)
            binding->OnCommand(dialog, id, code, control);
    }
    return 0;
}

int CParamDlgSet::HandleNotify(HWND dialog, const NMHDR* header) {
    for (const auto& binding : bindings)
        binding->OnNotify(dialog, header);
    return 0;
}

void CParamDlgSet::UnbindAll() {
    while (!bindings.empty()) {
        std::unique_ptr<IControlBinding> binding = std::move(bindings.front());
        bindings.erase(bindings.begin());
        if (IParam* parameter = binding->GetParam())
            parameter->RemoveBinding(binding->ParamSide());
        binding->SetParam(nullptr);
    }
}
