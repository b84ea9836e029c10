#pragma once

#include "graphics/GdiOwners_win.h"

#include <windows.h>

#include <cstdint>

// A memory device context drawing into a 32-bit top-down DIB section whose pixels the
// tests read and write directly (0xAARRGGBB words, row y at bits + y * width).
class CDibTarget {
public:
    CDibTarget(int width, int height) : width(width), height(height) {
        const BITMAPINFO info = TopDownDib(width, height);
        void* memory = nullptr;
        dc = CreateCompatibleDC(nullptr);
        dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = static_cast<uint32_t*>(memory);
        if (dc && dib)
            previous = SelectObject(dc, dib);
    }
    ~CDibTarget() {
        if (previous)
            SelectObject(dc, previous);
        if (dib)
            DeleteObject(dib);
        if (dc)
            DeleteDC(dc);
    }
    CDibTarget(const CDibTarget&) = delete;
    CDibTarget& operator=(const CDibTarget&) = delete;

    bool Ready() const { return bits != nullptr && previous != nullptr; }
    HDC Dc() const { return dc; }
    void Fill(uint32_t word) {
        GdiFlush();
        for (int i = 0; i < width * height; ++i)
            bits[i] = word;
    }
    uint32_t At(int x, int y) const {
        GdiFlush();
        return bits[y * width + x];
    }
    void Set(int x, int y, uint32_t word) {
        GdiFlush();
        bits[y * width + x] = word;
    }

    const int width;
    const int height;

private:
    HDC dc = nullptr;
    HBITMAP dib = nullptr;
    HGDIOBJ previous = nullptr;
    uint32_t* bits = nullptr;
};
