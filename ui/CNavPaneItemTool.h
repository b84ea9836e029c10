#pragma once

#include "graphics/CBmp.h"
#include "graphics/DpiScale.h"

#include <windows.h>

#include <cstdint>

// A small square tool button at the left or right end of a navigation pane entry. Its
// pictures may carry layer stacks: 0 normal, 1 hot, 2 disabled, 3 pressed.
class CNavPaneItemTool {
public:
    // Kind bits.
    static constexpr uint32_t kExpander = 0x04;  // clicking expands or collapses the entry
    static constexpr uint32_t kToggle = 0x08;    // clicking flips the checked state
    static constexpr uint32_t kPush = 0x10;      // clicking sends the command
    static constexpr uint32_t kSeparator = 0x20; // without a picture: a thin sunken bar
    static constexpr uint32_t kEdge = 0x40;      // a button edge
    static constexpr uint32_t kFlat = 0x80;      // no edge while idle
    // State bits.
    static constexpr uint32_t kPressed = 0x01;
    static constexpr uint32_t kChecked = 0x02;
    static constexpr uint32_t kDisabled = 0x04;
    static constexpr uint32_t kHot = 0x08;
    static constexpr uint32_t kSharesCell = 0x10; // the next tool uses the same cell

    CNavPaneItemTool() = default;
    CNavPaneItemTool(uint32_t kind, uint32_t command, uint32_t state = 0)
        : kind(kind), state(state), command(command) {}
    CNavPaneItemTool(const CNavPaneItemTool&) = delete;
    CNavPaneItemTool& operator=(const CNavPaneItemTool&) = delete;

    // Whether a click can press it: a push, toggle or expander tool that is not disabled.
    bool CanPress() const;
    bool Has(uint32_t stateBits) const { return (state & stateBits) != 0; }
    void Set(uint32_t stateBits, bool on) { state = on ? state | stateBits : state & ~stateBits; }

    // Pictures; which: 0 the image, 1 the checked image. The owner may add layer stacks
    // to a picture afterwards.
    void LoadToolImage(HINSTANCE module, int bitmapId, int which);
    void SetToolImage(const CBmp& bitmap, int which);
    void FreeToolImage(int which);

    // Draws the tool into its cell (already inset) on dc.
    void Draw(HDC dc, const RECT& cell) const;

    uint32_t kind = 0;
    uint32_t state = 0;
    uint32_t command = 0;
    uint32_t reserved = 0;
    // The DPI the tool is shown at; its pictures, drawn for the design DPI, are scaled to it.
    int32_t dpi = kDesignDpi;
    CBmp image;
    CBmp checkedImage;

private:
    CBmp& Picture(int which) { return which ? checkedImage : image; }
    // The picture for the state; null when the tool has none.
    const CBmp* ShownPicture() const;
    void DrawPicture(HDC dc, const CBmp& picture, const RECT& cell) const;
    void DrawEdge(HDC dc, const RECT& cell) const;
};
