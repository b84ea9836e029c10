#pragma once

#include <windows.h>

// Owns one GDI object handle (pen, brush, font, bitmap): deleted when replaced and at
// destruction.
template <class Handle> class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle(handle) {}
    ~GdiObject() { Set(nullptr); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    void Set(Handle replacement) {
        if (handle)
            DeleteObject(handle);
        handle = replacement;
    }
    Handle Get() const { return handle; }

private:
    Handle handle = nullptr;
};
