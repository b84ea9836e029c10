#include "graphics/CDibSurface_win.h"

#include "graphics/CBmp.h"
#include "graphics/CPixelTransfer_win.h"

#include <new>

CDibSurface::~CDibSurface() {
    Free();
}

bool CDibSurface::Create(int newWidth, int newHeight) {
    Free();
    const int64_t bytes = int64_t{newWidth} * newHeight * kBytesPerPixel;
    if (newWidth <= 0 || newHeight <= 0 || bytes > INT32_MAX)
        return false;
    pixels = new (std::nothrow) uint8_t[static_cast<std::size_t>(bytes)]();
    if (!pixels)
        return false;
    width = newWidth;
    height = newHeight;
    byteSize = static_cast<int32_t>(bytes);
    return true;
}

void CDibSurface::Attach(CBmp& bitmap) {
    Free();
    if (!bitmap.pixels)
        return;
    pixels = bitmap.pixels;
    width = bitmap.width;
    height = bitmap.height;
    byteSize = bitmap.byteSize;
    borrowed = 1;
}

void CDibSurface::Grab(HDC dc, int x, int y) {
    CPixelTransfer transfer;
    if (pixels && transfer.Open(dc, width, height))
        transfer.Read(dc, x, y, pixels);
}

void CDibSurface::Put(HDC dc, int x, int y) const {
    CPixelTransfer transfer;
    if (pixels && transfer.Open(dc, width, height))
        transfer.Write(dc, x, y, pixels);
}

void CDibSurface::Free() {
    if (!borrowed)
        delete[] pixels;
    pixels = nullptr;
    borrowed = 0;
    width = 0;
    height = 0;
    byteSize = 0;
}
