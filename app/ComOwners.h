#pragma once

#include "params/CHandleOwner.h"

#include <objbase.h>

// Owners of COM state: each releases what it holds on every path out of a scope. Declare
// the apartment owner before the interface owners so that the interfaces are released
// before the apartment is left.

// Enters a single-threaded apartment for the current thread and leaves it again, but only
// when entering succeeded (a thread already in another apartment is left alone).
class CComApartment {
public:
    CComApartment() : result(CoInitialize(nullptr)) {}
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;
    ~CComApartment() {
        if (SUCCEEDED(result))
            CoUninitialize();
    }

    HRESULT Result() const { return result; }

private:
    HRESULT result;
};

// Releases one reference to an interface.
struct CReleaseInterface {
    void operator()(IUnknown* pointer) const { pointer->Release(); }
};
// Frees memory the system allocated with CoTaskMemAlloc.
struct CCoTaskMemFree {
    void operator()(void* pointer) const { CoTaskMemFree(pointer); }
};

// Holds one reference to an interface and releases it.
template <class T> class CComPtr : public CHandleOwner<T*, CReleaseInterface> {
public:
    T* operator->() const { return this->Get(); }

    // Releases the current interface and hands out the slot for a call that returns a new
    // one (CoCreateInstance, QueryInterface).
    void** Receive() {
        return reinterpret_cast<void**>(CHandleOwner<T*, CReleaseInterface>::Receive());
    }
};

// Owns memory the system allocated with CoTaskMemAlloc (SHGetKnownFolderPath's path).
template <class T> using CCoTaskMem = CHandleOwner<T*, CCoTaskMemFree>;
