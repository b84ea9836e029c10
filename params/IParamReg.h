#pragma once

#include "params/tstr.h"

class CSettingsStore;

// The operations that a parameter set and the settings store use on a parameter.
// Not deletable through this interface: parameters belong to their owners.
class IParamReg {
public:
    // The parameter's key in the store and in text blocks.
    virtual const tstr& GetName() const = 0;
    virtual void SetName(const tstr& name) = 0;
    // Reads the value from a sectioned text block ("[section]" lines, then name=value
    // lines ending in CR LF).
    virtual bool ReadFromText(const tstr& text, const tstr& section) = 0;
    // Reads the value from the store under the path; false only for an unnamed parameter
    // (or no store). A missing entry leaves the value unchanged.
    virtual bool Load(CSettingsStore* store, const tstr& path) = 0;
    // Appends "prefix\name=value" and LF to a non-null output text.
    virtual bool WriteToText(tstr& output, const tstr& prefix) const = 0;
    // Writes the value to the store (or deletes it when it equals the implicit value).
    virtual bool Save(CSettingsStore* store, const tstr& path) = 0;
    virtual void Store() = 0;
    virtual void Restore() = 0;
    // Sets the type's empty value: 0, false or the empty text.
    virtual void Clear() = 0;

protected:
    ~IParamReg() = default;
};
