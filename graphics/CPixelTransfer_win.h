#pragma once

#include "graphics/GdiOwners_win.h"

#include <windows.h>

#include <cstdint>

// Moves a rectangle of pixels between a device context and memory in the pixel format of
// CBmp (32-bit, top-down), through a memory device context and a bitmap compatible with
// the target. The memory context, the bitmap and the selection are owned, so all of them
// are released when the object goes out of scope, on every path.
class CPixelTransfer {
public:
    // Prepares a width x height transfer for dc; false when the objects cannot be made.
    bool Open(HDC dc, int width, int height);
    // Copies the rectangle at (x, y) of dc into pixels (width * height * kBytesPerPixel bytes).
    bool Read(HDC dc, int x, int y, uint8_t* pixels);
    // Copies pixels opaquely to the rectangle at (x, y) of dc.
    bool Write(HDC dc, int x, int y, const uint8_t* pixels);

private:
    BITMAPINFO Describe() const;

    int width = 0;
    int height = 0;
    CMemoryDc memoryDc;
    CGdiBitmap bitmap;
    CSelection selection; // declared last: selected back out before the others are deleted
};
