#pragma once

#include "params/tstr.h"

class IParamDlg;

// The type-independent operations that a dialog binding uses on its parameter.
// Not deletable through this interface: parameters belong to their owners.
class IParam {
public:
    // Adds the binding unless it is null, already present or not a binding of the
    // parameter's own type; true if added.
    virtual bool AddBinding(IParamDlg* binding) = 0;
    // Removes the binding without destroying it; true if it was present.
    virtual bool RemoveBinding(IParamDlg* binding) = 0;
    virtual void RemoveAllBindings() = 0;
    // Snapshot := value, silently.
    virtual void Store() = 0;
    // Sets the value back to the snapshot (notifying like any other change).
    virtual void Restore() = 0;
    // Exchanges value and snapshot silently: no mirroring, no binding notification. Done
    // twice, it changes nothing.
    virtual void SwapWithSnapshot() = 0;
    // The value differs from the snapshot.
    virtual bool IsChanged() const = 0;
    // Sets the implicit value when one is declared; otherwise nothing.
    virtual void ResetToImplicit() = 0;
    // Assigns the converted text directly: no mirroring, no binding notification.
    virtual void FromText(const tstr& text) = 0;
    virtual tstr ToText() const = 0;
    // Announces the current bounds through SetRange.
    virtual void ApplyRange() = 0;
    // Tells every binding the bounds again; the argument is not used. Returns 0.
    virtual int RefreshRange(int reserved) = 0;

protected:
    ~IParam() = default;
};
