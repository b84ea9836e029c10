#include "CDibTarget.h"

#include "ui/DrawContext.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>

namespace {

constexpr uint32_t kColour = 0xFFFFFF;

} // namespace

// A memory context for a rectangle is drawn in its own coordinates and copied in one
// transfer to the rectangle's top-left corner of the target; nothing else changes.
TEST(DrawContext, MemoryContextBlitsToItsTarget) {
    CDibTarget target(40, 30);
    PatBlt(target.Dc(), 0, 0, 40, 30, WHITENESS);
    DrawContext memory;
    ASSERT_TRUE(memory.CreateMemory(target.Dc(), RECT{10, 5, 20, 25}));
    PatBlt(memory.Get(), 0, 0, 10, 20, BLACKNESS);
    memory.BlitTo(target.Dc());
    EXPECT_EQ(target.At(9, 5) & kColour, 0xFFFFFFu);
    EXPECT_EQ(target.At(10, 5) & kColour, 0u);
    EXPECT_EQ(target.At(19, 24) & kColour, 0u);
    EXPECT_EQ(target.At(20, 24) & kColour, 0xFFFFFFu);
    EXPECT_EQ(target.At(19, 25) & kColour, 0xFFFFFFu);
    memory.Release();
    EXPECT_EQ(memory.Get(), nullptr);
    memory.BlitTo(target.Dc()); // nothing without a target
}

// A context without a target rectangle copies nothing; a window's context is given back.
TEST(DrawContext, CompatibleAndWindowContexts) {
    CDibTarget target(8, 8);
    PatBlt(target.Dc(), 0, 0, 8, 8, WHITENESS);
    DrawContext compatible;
    ASSERT_TRUE(compatible.CreateCompatible(target.Dc()));
    compatible.BlitTo(target.Dc());
    EXPECT_EQ(target.At(0, 0) & kColour, 0xFFFFFFu);

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
