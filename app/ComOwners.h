#pragma once

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

// Holds one reference to an interface and releases it.
template <class T> class CComPtr {
public:
    CComPtr() = default;
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    ~CComPtr() { Release(); }

    T* operator->() const { return pointer; }
    T* Get() const { return pointer; }
    explicit operator bool() const { return pointer != nullptr; }

    // Releases the current interface and hands out the slot for a call that returns a new
    // one (CoCreateInstance, QueryInterface).
    void** Receive() {
        Release();
        return reinterpret_cast<void**>(&pointer);
    }

    void Release() {
        if (pointer)
            pointer->Release();
        pointer = nullptr;
    }

private:
    T* pointer = nullptr;
};

// Owns memory the system allocated with CoTaskMemAlloc (SHGetKnownFolderPath's path).
template <class T> class CCoTaskMem {
public:
    CCoTaskMem() = default;
    CCoTaskMem(const CCoTaskMem&) = delete;
    CCoTaskMem& operator=(const CCoTaskMem&) = delete;
    ~CCoTaskMem() { CoTaskMemFree(pointer); }

    T* Get() const { return pointer; }
    // Frees what is held and hands out the slot for the call that allocates.
    T** Receive() {
        CoTaskMemFree(pointer);
        pointer = nullptr;
        return &pointer;
    }

private:
    T* pointer = nullptr;
};
