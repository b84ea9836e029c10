#include "params/CParamRegSet.h"

#include <algorithm>

bool CParamRegSet::Add(IParamReg* param) {
    if (!param || param->GetName().IsEmpty())
        return false;
    if (std::find(params.begin(), params.end(), param) != params.end())
        return false;
    params.push_back(param);
    return true;
}

bool CParamRegSet::Add(IParamReg* param, const tstr& name) {
    if (param)
        param->SetName(name);
    return Add(param);
}

void CParamRegSet::LoadFrom(const tstr& from) {
    for (IParamReg* param : params)
        param->Load(store, from);
}

void CParamRegSet::Load() {
    if (!path.IsEmpty())
        LoadFrom(path);
}

void CParamRegSet::SaveTo(const tstr& to) {
    for (IParamReg* param : params)
        param->Save(store, to);
}

void CParamRegSet::Save() {
    if (!path.IsEmpty())
        SaveTo(path);
}
