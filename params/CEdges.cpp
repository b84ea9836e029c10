#include "params/CEdges.h"

template <class TBase, class T> const T* CEdges<TBase, T>::Set(const T& v) {
    T nearest = v;
    TBase::Set(nearest);
    if (!Clamp(nearest))
        TBase::Set(nearest);
    Publish();
    return this->Get();
}

template <class TBase, class T> void CEdges<TBase, T>::SetRange(T min, T max) {
    lower.store(min, std::memory_order_relaxed);
    upper.store(max, std::memory_order_relaxed);
    Validate();
    Publish();
    TBase::SetRange(min, max);
}

template <class TBase, class T> int CEdges<TBase, T>::RefreshRange(int) {
    SetRange(GetMin(), GetMax());
    TBase::SetRange(GetMin(), GetMax());
    T current = *this->Get();
    Clamp(current);
    Set(current);
    return 0;
}

template <class TBase, class T> void CEdges<TBase, T>::FromText(const tstr& text) {
    TBase::FromText(text);
    Publish();
}

template <class TBase, class T> void CEdges<TBase, T>::SetClamped(T v) {
    Clamp(v);
    Set(v);
}

template <class TBase, class T> void CEdges<TBase, T>::SetMin(T v) {
    lower.store(v, std::memory_order_relaxed);
    if (GetMax() < v)
        upper.store(v, std::memory_order_relaxed);
    Publish();
}

template <class TBase, class T> void CEdges<TBase, T>::SetMax(T v) {
    upper.store(v, std::memory_order_relaxed);
    if (GetMin() > v)
        lower.store(v, std::memory_order_relaxed);
    Publish();
}

template <class TBase, class T> bool CEdges<TBase, T>::Clamp(T& v) const {
    if (v < GetMin()) {
        v = GetMin();
        return false;
    }
    if (v > GetMax()) {
        v = GetMax();
        return false;
    }
    return true;
}

template <class TBase, class T> bool CEdges<TBase, T>::Validate() {
    const T current = *this->Get();
    if (current < GetMin()) {
        Set(GetMin());
        return false;
    }
    if (current > GetMax()) {
        Set(GetMax());
        return false;
    }
    return true;
}

template <class TBase, class T> void CEdges<TBase, T>::SetBoundedMirror(std::atomic<T>* variable) {
    boundedMirror = variable;
    Publish();
}

template <class TBase, class T> void CEdges<TBase, T>::Publish() {
    T inside = *this->Get();
    Clamp(inside);
    bounded.store(inside, std::memory_order_relaxed);
    if (boundedMirror)
        boundedMirror->store(inside, std::memory_order_relaxed);
}

template class CEdges<CParam<int>, int>;
