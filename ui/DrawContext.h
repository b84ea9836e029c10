#pragma once

#include "graphics/GdiOwners_win.h"

#include <windows.h>

// A device context for drawing: either a window's own (FromWindow) or a memory context
// created here, optionally with a compatible bitmap of its own selected into it
// (CreateMemory), which BlitTo copies to another context in one transfer. Release (also
// run by the destructor) gives everything back on every path.
class DrawContext {
public:
    DrawContext() = default;
    ~DrawContext() { Release(); }
    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;

    // The window's device context; false when there is none.
    [[nodiscard]] bool FromWindow(HWND window);
    // A memory context compatible with dc holding a compatible bitmap of the rectangle's
    // size; the target rectangle is the given one. False, and released, on failure.
    [[nodiscard]] bool CreateMemory(HDC dc, const RECT& rect);
    // The same for width x height at (0, 0).
    [[nodiscard]] bool CreateMemory(HDC dc, int width, int height);
    // A memory context compatible with dc, without a bitmap.
    [[nodiscard]] bool CreateCompatible(HDC dc);
    // Copies the whole bitmap to dc at the target rectangle's top-left corner; nothing
    // without a target rectangle.
    void BlitTo(HDC dc) const;
    // Re-selects the previous bitmap, deletes the created context or gives the window's
    // back, deletes the owned bitmap.
    void Release();

    HDC Get() const { return windowDc ? windowDc.Get() : memoryDc.Get(); }
    const RECT& Target() const { return target; }

private:
    // Declared in release order, last first: the selection goes, then the contexts, then
    // the bitmap that was selected.
    CGdiBitmap bitmap;
    CHandleOwner<HDC, CReleaseDc> windowDc;
    CMemoryDc memoryDc;
    CSelection selection;
    RECT target{};
    bool hasTarget = false;
};
