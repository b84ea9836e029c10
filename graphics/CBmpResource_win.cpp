#include "graphics/CBmp.h"
#include "graphics/GdiOwners_win.h"
#include "graphics/LoadedAlpha.h"

#include <windows.h>

namespace {

// A header followed by room for the largest colour table or set of colour masks that
// GetDIBits may write when it only describes the bitmap.
struct DescribedBitmap {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

HBITMAP LoadBitmapHandle(HINSTANCE instance, int number) {
    HANDLE image =
        LoadImageA(instance, MAKEINTRESOURCEA(number), IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE);
    if (image != nullptr)
        return static_cast<HBITMAP>(image);
    return LoadBitmapA(instance, MAKEINTRESOURCEA(number));
}

// Reads the pixels as 32-bit rows, top row first; false when the system refuses.
bool ReadPixels(HBITMAP bitmap, int width, int height, uint8_t* target) {
    const CWindowDc screenDc(nullptr);
    const HDC screen = screenDc.Get();
    if (screen == nullptr)
        return false;
    DescribedBitmap info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    bool read = GetDIBits(screen, bitmap, 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                          DIB_RGB_COLORS) != 0;
    if (read) {
        info.header.biWidth = width;
        info.header.biHeight = -height; // negative: rows arrive top-down
        info.header.biPlanes = 1;
        info.header.biBitCount = 32;
        info.header.biCompression = BI_RGB;
        info.header.biSizeImage = 0;
        read = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), target,
                         reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == height;
    }
    return read;
}

} // namespace

void CBmp::LoadBitmapResource(void* module, int number) {
    Free();
    HINSTANCE instance =
        module != nullptr ? static_cast<HINSTANCE>(module) : GetModuleHandleA(nullptr);
    const CGdiObject<HBITMAP> owner(LoadBitmapHandle(instance, number));
    const HBITMAP bitmap = owner.Get();
    if (bitmap == nullptr)
        return;
    BITMAP description{};
    // The pixel count limit keeps width * height * kBytesPerPixel within the signed 32-bit byte
    // size.
    if (GetObjectA(bitmap, sizeof description, &description) != 0 && description.bmWidth > 0 &&
        description.bmHeight > 0 &&
        static_cast<int64_t>(description.bmWidth) * description.bmHeight <= 0x1FFFFFFF) {
        const tstr kept = name;
        Create(description.bmWidth, description.bmHeight);
        name = kept;
        if (pixels == nullptr || !ReadPixels(bitmap, width, height, pixels))
            Free();
        else
            SettleLoadedAlpha(*this);
    }
}
