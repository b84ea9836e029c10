#pragma once

class IParam;

// What a parameter needs of a dialog binding: the parameter tells each of its bindings
// when its value changes and when its bounds are announced, and asks which parameter a
// binding edits. The binding classes themselves live with the dialogs.
class IParamDlg {
public:
    // Virtual so that a parameter can destroy a binding it owns through this interface.
    virtual ~IParamDlg() = default;

    // Called after every change of the value; the binding reads the value into its control.
    virtual int Update() = 0;
    // The parameter the binding edits, or null when it is detached.
    virtual IParam* GetParam() const = 0;
};

// A binding for parameters of type T. Bounds travel in the parameter's own type, so a
// parameter of type T accepts only bindings derived from IParamDlgT<T>.
template <class T> class IParamDlgT : public IParamDlg {
public:
    // Called when the parameter announces its bounds; slider and spin controls take them.
    virtual void SetRange(T min, T max) = 0;
};
