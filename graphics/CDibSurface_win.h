#pragma once

#include <windows.h>

#include <cstdint>

class CBmp;

// A 32-bit top-down picture (the pixel format of CBmp) that can be copied from and to a
// device context. The device context and bitmap each transfer needs are made and released
// inside Grab and Put, so the surface holds nothing of GDI between calls.
struct CDibSurface {
    CDibSurface() = default;
    ~CDibSurface();
    CDibSurface(const CDibSurface&) = delete;
    CDibSurface& operator=(const CDibSurface&) = delete;

    // Free, then an owned zero-filled picture; false, and empty, when the size is not
    // positive or the memory cannot be had.
    bool Create(int width, int height);
    // Free, then view the bitmap's pixels (borrowed) with its size; empty when it has none.
    void Attach(CBmp& bitmap);
    // Copies the rectangle of this surface's size at (x, y) of dc into the pixels.
    void Grab(HDC dc, int x, int y);
    // Copies the pixels opaquely to dc at (x, y).
    void Put(HDC dc, int x, int y) const;
    // Releases owned pixels (never borrowed ones); sizes become 0.
    void Free();

    int32_t width = 0;
    int32_t height = 0;
    uint8_t* pixels = nullptr; // width * height * kBytesPerPixel bytes, or null
    int32_t byteSize = 0;
    int32_t borrowed = 0; // the pixels belong to a CBmp
};
