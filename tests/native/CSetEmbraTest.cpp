#include "effects/fire/CSetEmbra.h"
#include "effects/engine/CRandom.h"
#include "effects/engine/ScreenSize.h"
#include "support/EmbraRig.h"
#include "support/PixelWords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(CSetEmbraIdentity, KeyNamesColourAndParameters) {
    EmbraRig rig(640, 480);
    EXPECT_TRUE(rig.set.Key() == "Embra");
    EXPECT_TRUE(rig.set.DisplayName() == "Fire on desktop");
    EXPECT_EQ(0xFF0077FFul, *rig.set.colour.Get());
    EXPECT_TRUE(rig.set.paramSet.GetPath() == "Sets\\Embra");
    ASSERT_EQ(2u, rig.set.paramSet.Params().size());
    EXPECT_EQ(static_cast<IParamReg*>(&rig.set.vis), rig.set.paramSet.Params()[0]);
    EXPECT_EQ(static_cast<IParamReg*>(&rig.set.items), rig.set.paramSet.Params()[1]);
    // Name, default and edges of each parameter.
    const struct {
        const CEdges<CParam<int>, int>* param;
        const char* name;
        int value, low, high;
    } params[] = {{&rig.set.vis, "vis", 50, 10, 100}, {&rig.set.items, "items", 100, 30, 100}};
    for (const auto& p : params) {
        EXPECT_TRUE(p.param->GetName() == p.name);
        EXPECT_EQ(p.value, *p.param->Get()) << p.name;
        EXPECT_EQ(p.low, p.param->GetMin()) << p.name;
        EXPECT_EQ(p.high, p.param->GetMax()) << p.name;
    }
}

TEST(CSetEmbraIdentity, SavesAndLoadsUnderSetsEmbra) {
    EmbraRig rig(640, 480);
    rig.set.vis.Set(70);
    EXPECT_TRUE(rig.set.Save());
    tstr text;
    ASSERT_TRUE(rig.store.ReadString("Sets\\Embra", "vis", text));
    EXPECT_TRUE(text == "70");
    ASSERT_TRUE(rig.store.ReadString("Sets\\Embra", "items", text));
    EXPECT_TRUE(text == "100");

    rig.store.WriteString("Sets\\Embra", "vis", "5"); // below the lower edge
    rig.store.WriteString("Sets\\Embra", "items", "40");
    EXPECT_TRUE(rig.set.Load());
    EXPECT_EQ(10, *rig.set.vis.Get());
    EXPECT_EQ(40, *rig.set.items.Get());
}

TEST(CSetEmbraStart, AllocatesItemsFramesAndProfiles) {
    EmbraRig rig(1920, 1080, 4);
    ASSERT_TRUE(rig.Start(1));
    EXPECT_EQ(1200, rig.set.itemsPerWorker); // 1920 * 4000 / 1600 / 4
    EXPECT_EQ(4u, rig.set.workerItems.size());
    for (int32_t i = 0; i < 4; ++i)
        EXPECT_EQ(1, rig.set.doneFlags[i].load());
    EXPECT_EQ(1920, rig.set.frameBuffer.width);
    EXPECT_EQ(1080, rig.set.frameBuffer.height);
    ASSERT_EQ(20, rig.set.frameCount);
    EXPECT_EQ(20, CItemEmbra::frameCount);
    EXPECT_EQ(19, CItemEmbra::lastFrame);
    EXPECT_TRUE(rig.desktop.OverlayBehindTaskbar());
    EXPECT_EQ(255, rig.set.colourTable.blue[255]);
    EXPECT_EQ(127, rig.set.colourTable.green[255]);
    EXPECT_EQ(155, rig.set.colourTable.red[100]);
    EXPECT_TRUE(rig.set.Stop());
    EXPECT_EQ(nullptr, rig.set.frameBuffer.pixels);
    EXPECT_TRUE(rig.set.workerItems.empty());
    EXPECT_EQ(nullptr, rig.set.frames.get());
    EXPECT_EQ(nullptr, rig.set.lifeCut.get());
}

// Every run of non-transparent columns is a frame, trimmed to its pixels; the blue channel
// becomes the alpha, scaled to 150 / 255.
TEST(CSetEmbraStart, CutsTheSheetIntoTrimmedFrames) {
    EmbraRig rig(640, 480);
    // A frame standing alone, not reaching the sheet's bottom, and one more pixel of a
    // frame with blue 255 and a transparent hole row.
    rig.desktop.sheet.SetPixel(250, 10, 0xFF000000u | 255);
    rig.desktop.sheet.SetPixel(252, 20, 0xFF000000u | 170);
    rig.desktop.sheet.SetPixel(253, 22, 0xFF000000u | 2);
    ASSERT_TRUE(rig.Start(1));
    ASSERT_EQ(22, rig.set.frameCount);
    for (int32_t f = 0; f < 20; ++f) {
        const CBmp& frame = rig.set.frames[f];
        EXPECT_EQ(kTestFrameSizes[f].width, frame.width) << f;
        EXPECT_EQ(kTestFrameSizes[f].height, frame.height) << f;
        const uint32_t blue = TestSheetBlue(f, 1, 2, frame.height);
        EXPECT_EQ(blue * 150 / 255, frame.Pixel(1, 2) >> 24) << f;
    }
    EXPECT_EQ(1, rig.set.frames[20].width);
    EXPECT_EQ(1, rig.set.frames[20].height);
    EXPECT_EQ(150u, rig.set.frames[20].Pixel(0, 0) >> 24);
    EXPECT_EQ(2, rig.set.frames[21].width);
    EXPECT_EQ(3, rig.set.frames[21].height);
    EXPECT_EQ(100u, rig.set.frames[21].Pixel(0, 0) >> 24);
    EXPECT_EQ(0u, rig.set.frames[21].Pixel(1, 1) >> 24);
}

// The shipped sheet gives 20 bottom-aligned frames of these sizes and alpha peaks.
TEST(CSetEmbraStart, ShippedArtworkGivesTheTwentyFrames) {
    struct Frame {
        int32_t width;
        int32_t height;
        uint32_t peak;
    };
    const Frame expected[20] = {
        {38, 64, 105}, {13, 64, 103}, {13, 64, 90},  {16, 57, 101}, {16, 58, 112},
        {14, 50, 115}, {16, 45, 114}, {13, 33, 114}, {12, 28, 108}, {10, 20, 74},
        {8, 15, 72},   {9, 12, 58},   {9, 9, 64},    {6, 7, 69},    {6, 6, 69},
        {5, 5, 60},    {4, 7, 150},   {4, 6, 150},   {4, 5, 150},   {3, 4, 150},
    };
    EmbraRig rig(1920, 1080);
    rig.desktop.shipped = true;
    ASSERT_TRUE(rig.Start(1));
    ASSERT_EQ(20, rig.set.frameCount);
    for (int32_t f = 0; f < 20; ++f) {
        const CBmp& frame = rig.set.frames[f];
        EXPECT_EQ(expected[f].width, frame.width) << f;
        EXPECT_EQ(expected[f].height, frame.height) << f;
        EXPECT_EQ(expected[f].peak, HighestAlpha(frame)) << f;
    }
    // The strip's first and last entries: grey smoke, pale yellow.
    EXPECT_EQ(133, rig.set.colourTable.red[0]);
    EXPECT_EQ(133, rig.set.colourTable.blue[0]);
    EXPECT_EQ(251, rig.set.colourTable.red[255]);
    EXPECT_EQ(245, rig.set.colourTable.green[255]);
    EXPECT_EQ(168, rig.set.colourTable.blue[255]);
}

TEST(CSetEmbraStart, FailsCleanlyWithoutTaskbarOrArtwork) {
    enum class Fault { NoTaskbar, NoSheet, BlankSheet, NoStrip };
    for (Fault fault : {Fault::NoTaskbar, Fault::NoSheet, Fault::BlankSheet, Fault::NoStrip}) {
        EmbraRig rig(640, 480);
        if (fault == Fault::NoTaskbar)
            rig.desktop.RemoveTaskbar();
        if (fault == Fault::NoSheet)
            rig.desktop.sheet.Free();
        if (fault == Fault::BlankSheet)
            rig.desktop.sheet.Fill(0xFF000000u); // blue 0 everywhere: no alpha anywhere
        if (fault == Fault::NoStrip)
            rig.desktop.strip.Free();
        EXPECT_FALSE(rig.Start(1)) << static_cast<int>(fault);
        EXPECT_EQ(&rig.set, rig.renderState.activeSet); // kept for the next start
        EXPECT_EQ(nullptr, rig.set.frameBuffer.pixels);
        EXPECT_TRUE(rig.set.workerItems.empty());
        EXPECT_EQ(0, rig.set.frameCount);
        EXPECT_EQ(nullptr, rig.set.lifeCut.get());
        EXPECT_FALSE(rig.desktop.OverlayVisible());
    }
}

TEST(CSetEmbraStart, HiddenTaskbarStartsWithoutZOrderChange) {
    EmbraRig rig(640, 480);
    rig.desktop.HideTaskbar();
    EXPECT_TRUE(rig.Start(1));
    EXPECT_FALSE(rig.desktop.OverlayBehindTaskbar());
}

// Widths that make W - 20 or W - 100 zero or negative, and heights below the band.
TEST(CSetEmbraStart, TinyScreensStartAndRender) {
    const int32_t sizes[][2] = {{1, 1},    {10, 50},   {20, 330},  {21, 200}, {30, 480},
                                {60, 480}, {100, 480}, {101, 100}, {107, 480}};
    for (const auto& size : sizes) {
        EmbraRig rig(size[0], size[1]);
        ASSERT_TRUE(rig.Start(3)) << size[0] << "x" << size[1];
        rig.RenderFrames(60);
        EXPECT_EQ(60, rig.desktop.PresentCount());
    }
}

TEST(CSetEmbraPlacement, FollowsTheTaskbarEdge) {
    constexpr int32_t W = 1920;
    constexpr int32_t H = 1080;
    struct Case {
        const char* what;
        DesktopRect taskbar;
        int32_t x; // expected overlay position and destination point
        int32_t y;
    };
    const Case cases[] = {
        {"bottom, 40 high", {0, H - 40, W, H}, 0, H - 40 - 200},
        {"top, 40 high", {0, 0, W, 40}, 0, H - 200},
        {"left, 60 wide", {0, 0, 60, H}, 60, H - 200},
        {"right, 60 wide", {W - 60, 0, W, H}, 0, H - 200},
    };
    for (const Case& c : cases) {
        EmbraRig rig(W, H);
        rig.desktop.SetTaskbarRect(c.taskbar);
        ASSERT_TRUE(rig.Start(1)) << c.what;
        DesktopRect overlay;
        ASSERT_TRUE(rig.desktop.OverlayRect(0, &overlay));
        EXPECT_EQ(c.x, overlay.left) << c.what;
        EXPECT_EQ(c.y, overlay.top) << c.what;
        EXPECT_EQ(W, overlay.right - overlay.left) << c.what;
        EXPECT_EQ(c.x, rig.set.DestinationX()) << c.what;
        EXPECT_EQ(c.y, rig.set.DestinationY()) << c.what;
        rig.RenderFrames(1);
        EXPECT_EQ(c.x, rig.desktop.LastDestination().left) << c.what;
        EXPECT_EQ(c.y, rig.desktop.LastDestination().top) << c.what;
    }
}

// Without a taskbar that shows (hidden, auto-hidden to its 2-pixel strip, none) the fire
// burns along the bottom edge of the screen; a taskbar on no edge leaves it where it was.
TEST(CSetEmbraPlacement, HiddenAbsentOrUnclassifiedTaskbar) {
    constexpr int32_t W = 1920;
    constexpr int32_t H = 1080;
    enum class Bar { Hidden, Absent, WholeScreen, AutoHidden };
    struct Case {
        Bar bar;
        bool moves; // to (0, H - 200); otherwise left where it was
    };
    for (const Case& c : {Case{Bar::Hidden, true}, Case{Bar::Absent, true},
                          Case{Bar::WholeScreen, false}, Case{Bar::AutoHidden, true}}) {
        EmbraRig rig(W, H);
        ASSERT_TRUE(rig.Start(1));
        rig.desktop.MoveOverlay(0, 5, 6);
        rig.set.SetDestination(7, 8);
        if (c.bar == Bar::Hidden)
            rig.desktop.HideTaskbar();
        if (c.bar == Bar::Absent)
            rig.desktop.RemoveTaskbar();
        if (c.bar == Bar::WholeScreen)
            rig.desktop.SetTaskbarRect({0, 0, W, H});
        if (c.bar == Bar::AutoHidden)
            rig.desktop.SetTaskbarRect({0, H - 2, W, H + 38});
        rig.set.UpdatePlacement();
        DesktopRect overlay;
        ASSERT_TRUE(rig.desktop.OverlayRect(0, &overlay));
        EXPECT_EQ(c.moves ? 0 : 5, overlay.left) << static_cast<int>(c.bar);
        EXPECT_EQ(c.moves ? H - 200 : 6, overlay.top) << static_cast<int>(c.bar);
        EXPECT_EQ(c.moves ? 0 : 7, rig.set.DestinationX()) << static_cast<int>(c.bar);
        EXPECT_EQ(c.moves ? H - 200 : 8, rig.set.DestinationY()) << static_cast<int>(c.bar);
    }
}

// W = 107: W - 100 = 7, so every breakpoint is k + 50 and the segments 51 .. 54 are one
// column each. Seed 777 draws 2575, 3391, 8067, 21871, 27887 for X1 .. X5, then
// 15442, 1908, 18785, 27668, 4923, 22002, 29557 for Y0 .. Y6 = 82, 628, 865, 788, 1083,
// 242, 117, then one noise value per column from 32617 on (the 64th draw, for
// column 51, is 18823: noise 135).
TEST(CSetEmbraProfiles, RampsBetweenLevelsPlusNoise) {
    EmbraRig rig(107, 480);
    ASSERT_TRUE(rig.Start(1));
    CRandom::Seed(777);
    rig.set.GenerateProfiles();
    const int32_t* cut = rig.set.lifeCut.get();
    EXPECT_EQ(185, cut[0]);  // noise 105 + 50 * 82 / 51
    EXPECT_EQ(731, cut[50]); // the ramp's end: 0 * 82 + 50 * 628
    EXPECT_EQ(135, cut[51]); // a one-column segment: noise only
    EXPECT_EQ(167, cut[52]);
    EXPECT_EQ(241, cut[53]);
    EXPECT_EQ(1, cut[54]);
    EXPECT_EQ(292, cut[55]);
    EXPECT_EQ(164, cut[106]);
    const int32_t* drift = rig.set.drift.get();
    EXPECT_EQ(0, drift[19]);
    EXPECT_EQ((cut[0] - cut[40]) / 80, drift[20]);
    EXPECT_EQ(-5, drift[20]);
    EXPECT_EQ(4, drift[60]);
    EXPECT_EQ(3, drift[86]);
    EXPECT_EQ(0, drift[87]);
}

TEST(CSetEmbraProfiles, WideScreenBreakpointsStayOnScreen) {
    EmbraRig rig(1920, 1080);
    ASSERT_TRUE(rig.Start(1));
    CRandom::Seed(4242);
    rig.set.GenerateProfiles();
    // Breakpoints 474, 617, 1028, 1266, 1581; level 1081 at column 0.
    EXPECT_EQ(1219, rig.set.lifeCut[0]);
    EXPECT_EQ(568, rig.set.lifeCut[1919]);
    for (int32_t k = 0; k < 1920; ++k) {
        EXPECT_GE(rig.set.lifeCut[k], 0) << k;
        EXPECT_LE(rig.set.lifeCut[k], 1279 + 255) << k;
    }
}

// The first change comes in the 21st frame; the next period is 5 .. 44 frames, drawn from
// the generator after the new profiles.
TEST(CSetEmbraProfiles, TimerRenewsProfilesAfterThePeriod) {
    EmbraRig rig(640, 480);
    ASSERT_TRUE(rig.Start(1));
    const std::vector<int32_t> before(rig.set.lifeCut.get(), rig.set.lifeCut.get() + 640);
    CRandom::Seed(99);
    for (int32_t frame = 1; frame <= 20; ++frame)
        rig.set.EndOfFrame();
    EXPECT_EQ(20, CSetEmbra::profileTimer);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), rig.set.lifeCut.get()));
    rig.set.EndOfFrame();
    EXPECT_EQ(0, CSetEmbra::profileTimer);
    EXPECT_FALSE(std::equal(before.begin(), before.end(), rig.set.lifeCut.get()));
    EXPECT_GE(CSetEmbra::profilePeriod, 5);
    EXPECT_LE(CSetEmbra::profilePeriod, 44);

    // Start keeps the timer and the period.
    CSetEmbra::profileTimer = 3;
    const int32_t period = CSetEmbra::profilePeriod;
    ASSERT_TRUE(rig.set.Start());
    EXPECT_EQ(3, CSetEmbra::profileTimer);
    EXPECT_EQ(period, CSetEmbra::profilePeriod);
}

} // namespace
