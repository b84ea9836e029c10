#pragma once

#include "params/CHandleOwner.h"

#include <windows.h>

// Owners of GDI state, so that no path leaks a device context, a bitmap or a selection.

// The description of width x height 32-bit pixels, rows top-down (a negative height).
inline BITMAPINFO TopDownDib(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Deletes a GDI object (pen, brush, font, bitmap).
struct CDeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
// Deletes a memory device context.
struct CDeleteDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
// Gives a window's device context back (window null: the screen's).
struct CReleaseDc {
    HWND window = nullptr;
    void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
// Ends the painting BeginPaint began, with the description it filled.
struct CEndPaint {
    HWND window = nullptr;
    PAINTSTRUCT paint{};
    void operator()(HDC) const { EndPaint(window, &paint); }
};
// Selects the replaced object back into its device context.
struct CSelectBack {
    HDC dc = nullptr;
    void operator()(HGDIOBJ replaced) const { SelectObject(dc, replaced); }
};

// One GDI object (pen, brush, font, bitmap), deleted when replaced and at destruction.
template <class Handle> using CGdiObject = CHandleOwner<Handle, CDeleteGdiObject>;

// A device context from GetDC, released with ReleaseDC; window null: the whole screen.
class CWindowDc : public CHandleOwner<HDC, CReleaseDc> {
public:
    explicit CWindowDc(HWND window) : CHandleOwner(GetDC(window), CReleaseDc{window}) {}
};

// The device context of a WM_PAINT: BeginPaint at construction (which validates the update
// region), EndPaint at destruction; null, and nothing to end, when BeginPaint fails.
class CPaintDc : public CHandleOwner<HDC, CEndPaint> {
public:
    explicit CPaintDc(HWND window) {
        CEndPaint end{window, {}};
        const HDC dc = BeginPaint(window, &end.paint);
        Reset(dc, end);
    }
};

// The screen's device context, held: GetDC(null) until Reset.
class CScreenDc : public CHandleOwner<HDC, CReleaseDc> {
public:
    [[nodiscard]] bool Acquire() {
        Reset(GetDC(nullptr));
        return Get() != nullptr;
    }
};

// A memory device context from CreateCompatibleDC, deleted with DeleteDC.
class CMemoryDc : public CHandleOwner<HDC, CDeleteDc> {
public:
    [[nodiscard]] bool Create(HDC compatibleWith) {
        Reset(CreateCompatibleDC(compatibleWith));
        return Get() != nullptr;
    }
};

// A GDI bitmap, deleted with DeleteObject.
class CGdiBitmap : public CGdiObject<HBITMAP> {
public:
    [[nodiscard]] bool CreateCompatible(HDC dc, int width, int height) {
        Reset(CreateCompatibleBitmap(dc, width, height));
        return Get() != nullptr;
    }
    // A 32-bit top-down DIB section of width x height pixels; `bits` receives its pixels.
    [[nodiscard]] bool CreateDib(HDC dc, int width, int height, void** bits) {
        const BITMAPINFO info = TopDownDib(width, height);
        Reset(CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0));
        return Get() != nullptr;
    }
};

// An object selected into a device context; the one it replaced is selected back.
class CSelection : public CHandleOwner<HGDIOBJ, CSelectBack> {
public:
    [[nodiscard]] bool Select(HDC into, HGDIOBJ object) {
        Reset();
        const HGDIOBJ replaced = SelectObject(into, object);
        if (!replaced || replaced == HGDI_ERROR)
            return false;
        Reset(replaced, CSelectBack{into});
        return true;
    }
};
