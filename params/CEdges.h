#pragma once

#include "params/CParam.h"

// A parameter held between a lower and an upper bound (initially 0 and 1). Values outside
// the bounds still reach the bindings and the mirrored variable first, and are then
// replaced by the nearest bound. The bounds are not checked against each other.
template <class TBase, class T> class CEdges : public virtual TBase {
public:
    CEdges() = default;
    ~CEdges() override = default;

    // Sets the value, then the nearest bound when the value lies outside.
    const T* Set(const T& v) override;
    // Stores the bounds, moves the value into them and tells every binding.
    void SetRange(T min, T max) override;
    T GetMin() const override { return lower; }
    T GetMax() const override { return upper; }
    int RefreshRange(int reserved) override;

    // Sets the nearest value within the bounds (one change only).
    virtual void SetClamped(T v);
    // Lower := v, raising the upper bound to v when needed; the value is left alone.
    virtual void SetMin(T v);
    // Upper := v, lowering the lower bound to v when needed; the value is left alone.
    virtual void SetMax(T v);
    // Moves v to the nearest bound; true when it was already within them.
    virtual bool Clamp(T& v) const;
    // Sets the nearest bound when the value lies outside; true when it was within them.
    virtual bool Validate();

private:
    T lower = 0;
    T upper = 1;
};

extern template class CEdges<CParam<int>, int>;
