#pragma once

#include "params/CParam.h"

#include <atomic>

// A parameter held between a lower and an upper bound (initially 0 and 1). Values outside
// the bounds still reach the bindings and the plain mirrored variable first, and are then
// replaced by the nearest bound: a control that showed the out-of-range value shows the
// bound again, even when the value sat at that bound before. The bounds are not checked
// against each other.
//
// Render threads read the value while the main thread changes it. They read Bounded (or a
// bounded mirror), never Get: it is set only after the value was moved into the bounds,
// so no other thread ever sees a value outside them, not even for an instant.
template <class TBase, class T> class CEdges : public virtual TBase {
public:
    CEdges() = default;
    ~CEdges() override = default;

    // Sets the value, then the nearest bound when the value lies outside.
    const T* Set(const T& v) override;
    // Stores the bounds, moves the value into them and tells every binding.
    void SetRange(T min, T max) override;
    T GetMin() const override { return lower.load(std::memory_order_relaxed); }
    T GetMax() const override { return upper.load(std::memory_order_relaxed); }
    int RefreshRange(int reserved) override;
    // Assigns the converted text directly, as the plain parameter does; Bounded takes it
    // moved into the bounds.
    void FromText(const tstr& text) override;

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

    // The value moved into the bounds; safe to read from any thread at any time.
    T Bounded() const { return bounded.load(std::memory_order_relaxed); }
    // An outside variable that render threads read: it receives Bounded now and whenever
    // Bounded changes, so it never holds a value outside the bounds. Null detaches it.
    void SetBoundedMirror(std::atomic<T>* variable);

private:
    // Bounded := the value moved into the bounds, then the bounded mirror likewise.
    void Publish();

    std::atomic<T> lower{0};
    std::atomic<T> upper{1};
    std::atomic<T> bounded{0};
    std::atomic<T>* boundedMirror = nullptr;
};

extern template class CEdges<CParam<int>, int>;
