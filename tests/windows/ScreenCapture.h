#pragma once

#include "graphics/GdiOwners_win.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// What the screen shows in a rectangle, layered windows included, as words 0x00RRGGBB row
// after row from the top; empty when the screen cannot be read.
inline std::vector<uint32_t> CaptureScreen(const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return {};
    CWindowDc screen(nullptr);
    CMemoryDc memory;
    void* bits = nullptr;
    CGdiBitmap copy;
    CSelection selection;
    if (!copy.CreateDib(screen.Get(), width, height, &bits) || !memory.Create(screen.Get()) ||
        !selection.Select(memory.Get(), copy.Get()) ||
        !BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top,
                SRCCOPY | CAPTUREBLT))
        return {};
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> words(pixels, pixels + static_cast<std::size_t>(width) * height);
    for (uint32_t& word : words)
        word &= 0xFFFFFFu;
    return words;
}
