#pragma once

#include <windows.h>

// Owners of GDI state, so that no path leaks a device context or a bitmap.

// A device context from GetDC, released with ReleaseDC; window null: the whole screen.
class CWindowDc {
public:
    explicit CWindowDc(HWND window) : window(window), dc(GetDC(window)) {}
    ~CWindowDc() {
        if (dc)
            ReleaseDC(window, dc);
    }
    CWindowDc(const CWindowDc&) = delete;
    CWindowDc& operator=(const CWindowDc&) = delete;

    HDC Get() const { return dc; }

private:
    HWND window;
    HDC dc;
};

// A memory device context from CreateCompatibleDC, deleted with DeleteDC.
class CMemoryDc {
public:
    CMemoryDc() = default;
    ~CMemoryDc() { Reset(); }
    CMemoryDc(const CMemoryDc&) = delete;
    CMemoryDc& operator=(const CMemoryDc&) = delete;

    bool Create(HDC compatibleWith) {
        Reset();
        dc = CreateCompatibleDC(compatibleWith);
        return dc != nullptr;
    }
    void Reset() {
        if (dc)
            DeleteDC(dc);
        dc = nullptr;
    }
    HDC Get() const { return dc; }

private:
    HDC dc = nullptr;
};

// A GDI bitmap, deleted with DeleteObject.
class CGdiBitmap {
public:
    CGdiBitmap() = default;
    ~CGdiBitmap() { Reset(); }
    CGdiBitmap(const CGdiBitmap&) = delete;
    CGdiBitmap& operator=(const CGdiBitmap&) = delete;

    bool CreateCompatible(HDC dc, int width, int height) {
        Reset();
        bitmap = CreateCompatibleBitmap(dc, width, height);
        return bitmap != nullptr;
    }
    // A 32-bit top-down DIB section of width x height pixels; `bits` receives its pixels.
    bool CreateDib(HDC dc, int width, int height, void** bits) {
        Reset();
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
        return bitmap != nullptr;
    }
    void Reset() {
        if (bitmap)
            DeleteObject(bitmap);
        bitmap = nullptr;
    }
    HBITMAP Get() const { return bitmap; }

private:
    HBITMAP bitmap = nullptr;
};

// An object selected into a device context; the one it replaced is selected back.
class CSelection {
public:
    CSelection() = default;
    ~CSelection() { Reset(); }
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;

    bool Select(HDC into, HGDIOBJ object) {
        Reset();
        replaced = SelectObject(into, object);
        if (!replaced || replaced == HGDI_ERROR) {
            replaced = nullptr;
            return false;
        }
        dc = into;
        return true;
    }
    void Reset() {
        if (dc && replaced)
            SelectObject(dc, replaced);
        dc = nullptr;
        replaced = nullptr;
    }

private:
    HDC dc = nullptr;
    HGDIOBJ replaced = nullptr;
};

// The screen's device context, held: GetDC(null) until Reset.
class CScreenDc {
public:
    CScreenDc() = default;
    ~CScreenDc() { Reset(); }
    CScreenDc(const CScreenDc&) = delete;
    CScreenDc& operator=(const CScreenDc&) = delete;

    bool Acquire() {
        Reset();
        dc = GetDC(nullptr);
        return dc != nullptr;
    }
    void Reset() {
        if (dc)
            ReleaseDC(nullptr, dc);
        dc = nullptr;
    }
    HDC Get() const { return dc; }

private:
    HDC dc = nullptr;
};
