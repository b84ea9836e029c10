#include "ui/DrawContext.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>

namespace {

// A 32-bit top-down DIB section selected into a memory context, for reading pixels back.
struct CPixelTarget {
    CPixelTarget(int width, int height) : width(width) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        dc = CreateCompatibleDC(nullptr);
        previous = SelectObject(dc, dib);
    }
    ~CPixelTarget() {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(dib);
    }
    uint32_t At(int x, int y) const {
        GdiFlush();
        return static_cast<const uint32_t*>(bits)[y * width + x] & 0xFFFFFF;
    }

    int width;
    void* bits = nullptr;
    HBITMAP dib = nullptr;
    HDC dc = nullptr;
    HGDIOBJ previous = nullptr;
};

} // namespace

// A memory context for a rectangle is drawn in its own coordinates and copied in one
// transfer to the rectangle's top-left corner of the target; nothing else changes.
TEST(DrawContext, MemoryContextBlitsToItsTarget) {
    CPixelTarget target(40, 30);
    PatBlt(target.dc, 0, 0, 40, 30, WHITENESS);
    DrawContext memory;
    ASSERT_TRUE(memory.CreateMemory(target.dc, RECT{10, 5, 20, 25}));
    PatBlt(memory.Get(), 0, 0, 10, 20, BLACKNESS);
    memory.BlitTo(target.dc);
    EXPECT_EQ(target.At(9, 5), 0xFFFFFFu);
    EXPECT_EQ(target.At(10, 5), 0u);
    EXPECT_EQ(target.At(19, 24), 0u);
    EXPECT_EQ(target.At(20, 24), 0xFFFFFFu);
    EXPECT_EQ(target.At(19, 25), 0xFFFFFFu);
    memory.Release();
    EXPECT_EQ(memory.Get(), nullptr);
    memory.BlitTo(target.dc); // nothing without a target
}

// A context without a target rectangle copies nothing; a window's context is given back.
TEST(DrawContext, CompatibleAndWindowContexts) {
    CPixelTarget target(8, 8);
    PatBlt(target.dc, 0, 0, 8, 8, WHITENESS);
    DrawContext compatible;
    ASSERT_TRUE(compatible.CreateCompatible(target.dc));
    compatible.BlitTo(target.dc);
    EXPECT_EQ(target.At(0, 0), 0xFFFFFFu);

    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    // A window's context is given back: a second ReleaseDC of it finds nothing to release.
    HDC released = nullptr;
    {
        DrawContext windowContext;
        EXPECT_TRUE(windowContext.FromWindow(window));
        released = windowContext.Get();
        ASSERT_NE(released, nullptr);
        windowContext.Release();
        EXPECT_EQ(windowContext.Get(), nullptr);
    }
    EXPECT_EQ(ReleaseDC(window, released), 0);
    HDC dropped = nullptr;
    {
        DrawContext windowContext;
        EXPECT_TRUE(windowContext.FromWindow(window));
        dropped = windowContext.Get();
    }
    EXPECT_EQ(ReleaseDC(window, dropped), 0) << "the owner's end gives the context back";
    DestroyWindow(window);
}
