#include "NavPaneRig.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>

using Tool = CNavPaneItemTool;

namespace {

constexpr COLORREF kOrange = 0x0080FF; // 0x00BBGGRR

uint32_t Sys(int index) {
    return CNavPaneRig::Rgb(GetSysColor(index));
}

// An opaque square picture of one pixel word (0xAARRGGBB).
void FillPicture(CBmp& picture, int side, uint32_t word) {
    picture.Create(side, side);
    picture.Fill(word);
}

} // namespace

// Row backgrounds: a coloured row in its colour, a plain row in the button face, a selected
// plain row in the highlight colour, each with a raised bottom edge; a selected coloured row
// runs in a gradient from its own colour (top left) to the highlight colour (bottom right)
// through the two points (2w/3 - 1, 0) and (2w/3 + 2, h).
TEST(NavPanePaint, RowBackgrounds) {
    CNavPaneRig rig(300, 200);
    auto entries = rig.AddMany(4);
    entries[0]->SetColours(kOrange, 0);
    entries[1]->SetColours(kOrange, 0);
    rig.pane.Select(entries[1], true);
    rig.pane.Select(entries[3], true);
    const auto pixels = rig.Paint();
    const uint32_t own = CNavPaneRig::Rgb(kOrange);
    const uint32_t highlight = Sys(COLOR_HIGHLIGHT);
    EXPECT_EQ(pixels.At(150, 10), own);
    EXPECT_EQ(pixels.At(150, 35), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(pixels.At(150, 72 + 10), Sys(COLOR_BTNFACE));
    EXPECT_EQ(pixels.At(150, 108 + 10), highlight);
    EXPECT_EQ(pixels.At(150, 200 - 1), Sys(COLOR_WINDOW));

    // The selected coloured row, at y 36: its own colour before the first cross line, the
    // highlight after the second, and between them each byte (K2 S - K1 R) / (S - R).
    EXPECT_EQ(pixels.At(1, 36 + 1), own);
    EXPECT_EQ(pixels.At(298, 36 + 34), highlight);
    // At (150, 18) of the row: D = (6, 72), S = D.(q - P1) = 1002, R = D.(q - P2) = -1608.
    uint32_t expected = 0;
    for (int shift : {0, 8, 16}) {
        const uint32_t k1 = own >> shift & 0xFF;
        const uint32_t k2 = highlight >> shift & 0xFF;
        expected |= (k2 * 1002 + k1 * 1608) / 2610 << shift;
    }
    EXPECT_EQ(pixels.At(150, 36 + 18), expected);
}

// The focus entry gets a dotted focus rectangle 2 pixels inside its row.
TEST(NavPanePaint, FocusRectangle) {
    CNavPaneRig rig(300, 200);
    auto entries = rig.AddMany(2);
    rig.pane.SetFocusEntry(entries[1]);
    const auto pixels = rig.Paint();
    const uint32_t face = Sys(COLOR_BTNFACE);
    EXPECT_EQ(pixels.At(150, 2), face);
    EXPECT_TRUE(pixels.At(150, 36 + 2) != face || pixels.At(151, 36 + 2) != face);
    EXPECT_EQ(pixels.At(150, 36 + 1), face);
}

// Tool pictures, centred in their cells: the checked image when checked, the stack of the
// state when it has layers, else the picture itself; a pressed picture moves by (1, 1).
TEST(NavPanePaint, ToolPictures) {
    constexpr uint32_t kRed = 0xFFFF0000;
    constexpr uint32_t kGreen = 0xFF00FF00;
    constexpr uint32_t kBlue = 0xFF0000FF;
    struct Case {
        const char* what;
        uint32_t state;
        bool hotStack;
        uint32_t centre;
        uint32_t firstCorner; // (10, 10): the top-left pixel of the unmoved picture
    };
    const Case cases[] = {
        {"plain", 0, false, 0xFF0000, 0xFF0000},
        {"checked", Tool::kChecked, false, 0x00FF00, 0x00FF00},
        {"hot without a hot stack", Tool::kHot, false, 0xFF0000, 0xFF0000},
        {"hot stack", Tool::kHot, true, 0x0000FF, 0x0000FF},
        {"pressed moves", Tool::kPressed, false, 0xFF0000, 0},
    };
    for (const Case& c : cases) {
        CNavPaneRig rig(300, 200);
        CNavPaneItem* a = rig.Add("A");
        auto* tool = new Tool(Tool::kPush, 1, c.state);
        CBmp picture;
        FillPicture(picture, 16, kRed);
        tool->SetToolImage(picture, 0);
        FillPicture(picture, 16, kGreen);
        tool->SetToolImage(picture, 1);
        if (c.hotStack) {
            tool->image.AddStack(tstr("nrm"));
            tool->image.AddStack(tstr("hot"));
            tool->image.AddLayerCopy(1)->Fill(kBlue);
        }
        rig.pane.AddTool(a, tool, true);
        tool->dpi = 96; // the picture in its own size, whatever the DPI of the run
        const auto pixels = rig.Paint();
        EXPECT_EQ(pixels.At(18, 18), c.centre) << c.what;
        const uint32_t corner = c.firstCorner ? c.firstCorner : Sys(COLOR_BTNFACE);
        EXPECT_EQ(pixels.At(10, 10), corner) << c.what;
        EXPECT_EQ(pixels.At(26, 26), c.firstCorner ? Sys(COLOR_BTNFACE) : c.centre) << c.what;
    }
}

// Without pictures: an expander draws a double chevron that turns over with the state, a
// separator a sunken bar, and an edge tool its button edge (none while flat and idle).
TEST(NavPanePaint, ToolsWithoutPictures) {
    CNavPaneRig rig(300, 200);
    CNavPaneItem* a = rig.Add("A");
    CNavPaneItem* b = rig.Add("B");
    rig.Add("C", 20, a);
    auto* expander = new Tool(Tool::kExpander, 0);
    rig.pane.AddTool(a, expander, true);
    rig.pane.AddTool(b, new Tool(Tool::kSeparator, 0), true);
    auto* edged = new Tool(Tool::kEdge, 0);
    auto* flat = new Tool(Tool::kEdge | Tool::kFlat, 0);
    rig.pane.AddTool(b, edged, false);
    rig.pane.AddTool(b, flat, false);

    const auto collapsed = rig.Paint();
    const uint32_t shadow = Sys(COLOR_BTNSHADOW);
    int shadowPixels = 0;
    for (int y = 0; y < 34; ++y)
        for (int x = 1; x < 35; ++x)
            shadowPixels += collapsed.At(x, y) == shadow;
    EXPECT_GT(shadowPixels, 20);
    a->Expand(1);
    const auto expanded = rig.Paint();
    int changed = 0;
    for (int y = 0; y < 34; ++y)
        for (int x = 1; x < 35; ++x)
            changed += collapsed.At(x, y) != expanded.At(x, y);
    EXPECT_GT(changed, 20);

    const int rowB = 36 + 20 + 3;
    EXPECT_EQ(expanded.At(2, rowB + 18), shadow);
    EXPECT_EQ(expanded.At(3, rowB + 18), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(expanded.At(4, rowB + 18), Sys(COLOR_BTNFACE));
    // The edged tool in the rightmost cell (264..300, inset to 265..299), the flat one left of it.
    EXPECT_NE(expanded.At(298, rowB + 18), Sys(COLOR_BTNFACE));
    EXPECT_EQ(expanded.At(262, rowB + 18), Sys(COLOR_BTNFACE));
    flat->Set(Tool::kHot, true);
    EXPECT_NE(rig.Paint().At(262, rowB + 18), Sys(COLOR_BTNFACE));
}
