#include "CDibTarget.h"
#include "app/CAboutDlg.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// The artwork covers 512 x 256 pixels of the box at 96 DPI; black lies right of it.
bool Black(uint32_t pixel) {
    return (pixel & 0xFFFFFF) == 0;
}

// At 96 DPI the picture keeps its size; at 144 DPI it grows by half with the box, so that
// the texts, placed in dialog units, stay where they lie on it at 96 DPI.
TEST(AboutPicture, GrowsWithTheDpi) {
    struct Case {
        int dpi;
        int artworkRight; // where the artwork ends, in client pixels
    };
    for (const Case& c : {Case{96, 512}, Case{144, 768}, Case{192, 1024}}) {
        SCOPED_TRACE(c.dpi);
        const int width = 600 * c.dpi / 96;
        const int height = 300 * c.dpi / 96;
        CDibTarget target(width, height);
        ASSERT_TRUE(target.Ready());
        ComposeAboutPictureForDpi(target.Dc(), RECT{0, 0, width, height}, c.dpi);
        GdiFlush();
        const int bottom = c.artworkRight / 2;
        EXPECT_FALSE(Black(target.At(c.artworkRight - 4, bottom - 4)));
        EXPECT_TRUE(Black(target.At(c.artworkRight + 4, 4)));
        EXPECT_TRUE(Black(target.At(4, bottom + 4)));
    }
}

} // namespace
