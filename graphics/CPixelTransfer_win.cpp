#include "graphics/CPixelTransfer_win.h"

BITMAPINFO CPixelTransfer::Describe() const {
    return TopDownDib(width, height);
}

bool CPixelTransfer::Open(HDC dc, int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    return dc != nullptr && width > 0 && height > 0 && memoryDc.Create(dc) &&
           bitmap.CreateCompatible(dc, width, height);
}

// GetDIBits wants the bitmap out of every device context, so it is selected only for
// the copy.
bool CPixelTransfer::Read(HDC dc, int x, int y, uint8_t* pixels) {
    if (!selection.Select(memoryDc.Get(), bitmap.Get()))
        return false;
    const bool copied = BitBlt(memoryDc.Get(), 0, 0, width, height, dc, x, y, SRCCOPY) != 0;
    selection.Reset();
    BITMAPINFO info = Describe();
    return copied && GetDIBits(memoryDc.Get(), bitmap.Get(), 0, static_cast<UINT>(height), pixels,
                               &info, DIB_RGB_COLORS) == height;
}

bool CPixelTransfer::Write(HDC dc, int x, int y, const uint8_t* pixels) {
    if (!selection.Select(memoryDc.Get(), bitmap.Get()))
        return false;
    const BITMAPINFO info = Describe();
    const bool set =
        SetDIBitsToDevice(memoryDc.Get(), 0, 0, static_cast<DWORD>(width),
                          static_cast<DWORD>(height), 0, 0, 0, static_cast<UINT>(height), pixels,
                          &info, DIB_RGB_COLORS) == height;
    const bool copied = set && BitBlt(dc, x, y, width, height, memoryDc.Get(), 0, 0, SRCCOPY) != 0;
    selection.Reset();
    return copied;
}
