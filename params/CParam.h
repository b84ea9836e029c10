#pragma once

#include "params/CCollector.h"
#include "params/IParam.h"
#include "params/IParamDlg.h"
#include "params/IParamReg.h"
#include "params/tstr.h"

#include <initializer_list>
#include <utility>
#include <vector>

// A typed user setting, instantiated for bool, unsigned long, int and tstr. It owns its
// value, a snapshot for undoing a dialog, its store name, optional steps, and the list of
// dialog bindings that it tells about every change. The type's zero is 0, false or the
// text "0"; its empty value (Clear) is 0, false or the empty text.
template <class T> class CParam : public IParamReg, public IParam {
public:
    CParam();
    explicit CParam(const T& initial);
    CParam(const CParam&) = delete;
    CParam& operator=(const CParam&) = delete;

    // IParamReg
    const tstr& GetName() const override { return name; }
    void SetName(const tstr& text) override { name = text; }
    bool ReadFromText(const tstr& text, const tstr& section) override;
    bool Load(CSettingsStore* store, const tstr& path) override;
    bool WriteToText(tstr& output, const tstr& prefix) const override;
    bool Save(CSettingsStore* store, const tstr& path) override;
    void Store() override { snapshot = value; }
    void Restore() override { Set(snapshot); }
    void SwapWithSnapshot() override { std::swap(value, snapshot); }
    void Clear() override;

    // Destroys the bindings that edit this parameter and forgets the others.
    virtual ~CParam();
    virtual const T* Get() const { return &value; }
    // Changes the value; when it differs, updates the mirrored variable and then every
    // binding in list order. Returns the address of the value.
    virtual const T* Set(const T& v);
    // Passes the bounds to every binding; stores nothing.
    virtual void SetRange(T min, T max);
    // Appends the steps in order. A sentinel (int -1, bool true, unsigned long 4294967295,
    // the text "-1") ends the list where one appears, so sentinel-terminated lists keep
    // their meaning; none is needed.
    virtual void AddSteps(std::initializer_list<T> values);
    virtual void ClearSteps() { steps.clear(); }
    // Sets the first step above the value (wrapping to the first step when enabled).
    virtual void StepUp();
    // Sets the last step below the value (wrapping to the last step when enabled).
    virtual void StepDown();
    virtual void SetStepWrap(int wrap) { stepWrap = wrap; }
    virtual T GetMin() const;
    virtual T GetMax() const;

    // IParam
    bool AddBinding(IParamDlg* binding) override;
    bool RemoveBinding(IParamDlg* binding) override { return bindings.Detach(binding); }
    void RemoveAllBindings() override { bindings.DetachAll(); }
    bool IsChanged() const override { return !(value == snapshot); }
    void ResetToImplicit() override;
    void FromText(const tstr& text) override;
    tstr ToText() const override;
    void ApplyRange() override { SetRange(GetMin(), GetMax()); }
    int RefreshRange(int reserved) override;

    // The owner's plain variable that follows every change; receives the current value now.
    void SetMirror(T* variable);
    // When the value equals the implicit value, Save deletes the entry instead.
    void SetImplicit(const T& implicitValue);
    // The last non-empty path given to Load or Save.
    const tstr& GetStorePath() const { return storePath; }
    int BindingCount() const { return bindings.Count(); }

protected:
    // Tells every binding the pair, in list order.
    void NotifyRange(const T& min, const T& max);
    // The value a stored text stands for (Load, ReadFromText, FromText); a kind of
    // parameter that allows only some texts gives its default for any other.
    virtual T ParseText(const tstr& text) const;

private:
    void NotifyUpdate();
    void AdoptPath(const tstr& path);

    T value;
    T snapshot;
    T* mirror = nullptr;
    tstr name{""};
    tstr storePath{""};
    T implicit;
    bool hasImplicit = false;
    CCollector<IParamDlg*> bindings;
    std::vector<T> steps;
    int stepWrap = 0;
};

extern template class CParam<bool>;
extern template class CParam<unsigned long>;
extern template class CParam<int>;
extern template class CParam<tstr>;
