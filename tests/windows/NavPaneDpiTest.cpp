#include "NavPaneRig.h"

#include "graphics/DpiScale.h"
#include "ui/WindowDpi.h"

#include <gtest/gtest.h>

#include <windows.h>

using Tool = CNavPaneItemTool;

namespace {

constexpr COLORREF kOrange = 0x0080FF; // 0x00BBGGRR
constexpr int kDesignRow = 36;
constexpr int kDesignPicture = 16;

bool Blue(uint32_t pixel) {
    return (pixel & 0xFF) > 0x80 && (pixel >> 16 & 0xFF) < 0x80;
}

} // namespace

// The settings list's rows, tool cells and tool pictures, designed for 96 DPI, grow with the
// DPI the pane is shown at: a 36-pixel row and a 16-pixel picture are 54 and 24 at 144 DPI.
TEST(NavPaneDpi, RowsCellsAndPicturesScaleWithTheDpi) {
    const int dpi = WindowDpi(nullptr); // the screen's: the DPI the test runs at
    SCOPED_TRACE(dpi);
    const int row = ScaleToDpi(kDesignRow, dpi);
    const int side = ScaleToDpi(kDesignPicture, dpi);
    CNavPaneRig rig(300, 3 * row);
    CNavPaneItem* a = rig.pane.AddColouredEntry("A", kOrange, kDesignRow, nullptr);
    CNavPaneItem* b = rig.pane.AddColouredEntry("B", kOrange, kDesignRow, nullptr);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->RowHeight(), row);
    EXPECT_EQ(a->CellSize(), row);

    auto* tool = new Tool(Tool::kPush, 7);
    CBmp picture;
    picture.Create(kDesignPicture, kDesignPicture);
    picture.Fill(0xFF0000FF);
    tool->SetToolImage(picture, 0);
    rig.pane.AddTool(a, tool, true);
    const auto pixels = rig.Paint();

    // The picture: `side` blue pixels across and down, centred in the row's first cell.
    int across = 0;
    int first = -1;
    for (int x = 0; x < row; ++x)
        if (Blue(pixels.At(x, row / 2))) {
            ++across;
            first = first < 0 ? x : first;
        }
    int down = 0;
    for (int y = 0; y < row; ++y)
        down += Blue(pixels.At(row / 2, y)) ? 1 : 0;
    EXPECT_EQ(across, side);
    EXPECT_EQ(down, side);
    EXPECT_EQ(first, (row - side) / 2);

    // A click in the second row's first cell lands on that row, not the first.
    rig.Click(row / 2, row + row / 2);
    EXPECT_EQ(rig.pane.FocusEntry(), b);
}
