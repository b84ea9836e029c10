#pragma once

#include "params/IParamReg.h"
#include "params/tstr.h"

#include <vector>

class CSettingsStore;

// The parameters that one owner loads and saves together under one store path. The set
// only remembers them, in the order added; they belong to the owner.
class CParamRegSet {
public:
    explicit CParamRegSet(CSettingsStore* store) : store(store) {}
    CParamRegSet(const CParamRegSet&) = delete;
    CParamRegSet& operator=(const CParamRegSet&) = delete;
    // Forgets the list; the parameters are left alone.
    virtual ~CParamRegSet() = default;

    void SetPath(const tstr& newPath) { path = newPath; }
    const tstr& GetPath() const { return path; }
    // False for a null or unnamed parameter and for one already in the list. Different
    // parameters with the same name are both accepted.
    bool Add(IParamReg* param);
    // Names the parameter (even when the add is then refused), then adds it.
    bool Add(IParamReg* param, const tstr& name);
    // Every parameter's Load with the store and the path, in list order.
    void LoadFrom(const tstr& from);
    // LoadFrom the set's path when it is a non-empty text.
    void Load();
    // Every parameter's Save with the store and the path, in list order.
    void SaveTo(const tstr& to);
    // SaveTo the set's path when it is a non-empty text.
    void Save();
    // Forgets every parameter; the parameters are left alone.
    void RemoveAll() { params.clear(); }
    const std::vector<IParamReg*>& Params() const { return params; }

private:
    std::vector<IParamReg*> params;
    CSettingsStore* store;
    tstr path{""};
};
