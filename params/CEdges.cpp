#include "params/CEdges.h"

template <class TBase, class T> const T* CEdges<TBase, T>::Set(const T& v) {
    T bounded = v;
    TBase::Set(bounded);
    if (!Clamp(bounded))
        TBase::Set(bounded);
    return this->Get();
}

template <class TBase, class T> void CEdges<TBase, T>::SetRange(T min, T max) {
    lower = min;
    upper = max;
    Validate();
    TBase::SetRange(min, max);
}

template <class TBase, class T> int CEdges<TBase, T>::RefreshRange(int) {
    SetRange(lower, upper);
    TBase::SetRange(lower, upper);
    T current = *this->Get();
    Clamp(current);
    Set(current);
    return 0;
}

template <class TBase, class T> void CEdges<TBase, T>::SetClamped(T v) {
    Clamp(v);
    Set(v);
}

template <class TBase, class T> void CEdges<TBase, T>::SetMin(T v) {
    lower = v;
    if (upper < v)
        upper = v;
}

template <class TBase, class T> void CEdges<TBase, T>::SetMax(T v) {
    upper = v;
    if (lower > v)
        lower = v;
}

template <class TBase, class T> bool CEdges<TBase, T>::Clamp(T& v) const {
    if (v < lower) {
        v = lower;
        return false;
    }
    if (v > upper) {
        v = upper;
        return false;
    }
    return true;
}

template <class TBase, class T> bool CEdges<TBase, T>::Validate() {
    const T current = *this->Get();
    if (current < lower) {
        Set(lower);
        return false;
    }
    if (current > upper) {
        Set(upper);
        return false;
    }
    return true;
}

template class CEdges<CParam<int>, int>;
