#pragma once

#include "graphics/GdiOwners_win.h"

#include <windows.h>

#include <cstdint>

// A memory device context drawing into a 32-bit top-down DIB section whose pixels the
// tests read and write directly (0xAARRGGBB words, row y at bits + y * width).
class CDibTarget {
public:
    CDibTarget(int width, int height) : width(width), height(height) {
        void* memory = nullptr;
        if (dc.Create(nullptr) && dib.CreateDib(dc.Get(), width, height, &memory) &&
            selection.Select(dc.Get(), dib.Get()))
            bits = static_cast<uint32_t*>(memory);
    }
    CDibTarget(const CDibTarget&) = delete;
    CDibTarget& operator=(const CDibTarget&) = delete;

    bool Ready() const { return bits != nullptr; }
    HDC Dc() const { return dc.Get(); }
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
    // In release order, last first: the selection goes, then the context, then the bitmap.
    CGdiBitmap dib;
    CMemoryDc dc;
    CSelection selection;
    uint32_t* bits = nullptr;
};
