#include "CDibTarget.h"

#include "graphics/CBmp.h"
#include "ui/CButtonWnd.h"
#include "ui/WindowDpi.h"

#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr int kSize = 96;
constexpr int kId = 1014;
constexpr uint32_t kBase = 0xFF202020;
// The colour each stack paints over the whole button.
constexpr uint32_t kStackColours[3] = {0xFF0000C0, 0xFF00C000, 0xFFC00000};
constexpr int kLayers = 3;

// A picture whose stacks are solid layers of their stack's colour, except for the layers
// that roll, which carry a pattern so that a roll shows.
void BuildImage(CBmp& image, int stacks) {
    image.Create(kSize, kSize);
    image.Fill(kBase);
    for (int s = 0; s < 3; ++s) {
        image.AddStack("stack");
        for (int l = 0; s < stacks && l < kLayers; ++l) {
            CBmp* layer = image.AddLayerCopy(s);
            layer->Fill(kStackColours[s]);
            for (int y = 0; y < kSize; y += 3)
                for (int x = 0; x < kSize; x += 5)
                    layer->SetPixel(x, y, 0xFF000000 | static_cast<uint32_t>(x * 977 + y * 31 + l));
        }
    }
}

CBmp* Layer(CBmp& image, int stack, int layer) {
    return image.animations.GetAt(stack)->GetAt(layer);
}

bool SamePixels(const CBmp& a, const CBmp& b) {
    return a.byteSize == b.byteSize && std::memcmp(a.pixels, b.pixels, a.byteSize) == 0;
}

LPARAM At(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// A hidden parent holding one button made by the class factory.
class ButtonWnd : public ::testing::Test {
protected:
    void SetUp() override {
        CButtonWnd::RegisterFactory();
        const HINSTANCE module = GetModuleHandleA(nullptr);
        parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                 module, nullptr);
        window =
            CreateWindowExA(0, CButtonWnd::kClassName, "", WS_CHILD | WS_VISIBLE, 10, 10, kSize,
                            kSize, parent, reinterpret_cast<HMENU>(kId), module, nullptr);
        button = ObjectOf<CButtonWnd>(window);
        ASSERT_NE(button, nullptr);
    }
    void TearDown() override {
        SetKeyDown(VK_LBUTTON, false);
        DestroyWindow(parent);
        PumpFor(0);
    }
    int TakeCommands() {
        int count = 0;
        MSG message;
        while (PeekMessageA(&message, parent, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
            EXPECT_EQ(message.wParam, static_cast<WPARAM>(kId));
            EXPECT_EQ(message.lParam, 0);
            ++count;
        }
        return count;
    }
    uint32_t FaceColour(POINT cursor) {
        CDibTarget target(kSize, kSize);
        EXPECT_TRUE(target.Ready());
        const RECT client{0, 0, kSize, kSize};
        button->DrawFace(target.Dc(), client, cursor);
        return target.At(kSize / 2 + 1, kSize / 2 + 1);
    }

    HWND parent = nullptr;
    HWND window = nullptr;
    CButtonWnd* button = nullptr;
};

} // namespace

TEST_F(ButtonWnd, FactoryObjectAnswersAsAButton) {
    EXPECT_EQ(ObjectOf<CButtonWnd>(parent), nullptr);
    EXPECT_EQ(ObjectOf<CButtonWnd>(nullptr), nullptr);
    // A push button to the dialog manager, the default one while it has the focus, so
    // that Enter sends its command.
    EXPECT_EQ(SendMessageA(window, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    SetFocus(window);
    EXPECT_EQ(SendMessageA(window, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(SendMessageA(window, WM_ERASEBKGND, 0, 0), 1);
}

TEST_F(ButtonWnd, LoadImageDropsTheOldStacks) {
    BuildImage(button->Image(), 3);
    CBmp& image = button->LoadImage(nullptr, 136);
    EXPECT_EQ(&image, &button->Image());
    EXPECT_EQ(image.width, 96);
    EXPECT_FALSE(image.HasStack(0));
    button->ReleaseImage();
    EXPECT_EQ(button->Image().pixels, nullptr);
}

TEST_F(ButtonWnd, FaceFollowsPointerButtonAndStacks) {
    struct Case {
        int stacks; // stacks holding layers, from 0
        bool inside;
        bool pressed;
        uint32_t colour;
    };
    const Case cases[] = {
        {3, false, false, kStackColours[0]}, {3, true, false, kStackColours[1]},
        {3, true, true, kStackColours[2]},   {3, false, true, kStackColours[0]},
        {2, true, true, kStackColours[1]},   {1, true, false, kStackColours[0]},
        {1, true, true, kStackColours[0]},   {0, true, true, kBase},
    };
    for (const Case& c : cases) {
        button->ReleaseImage();
        BuildImage(button->Image(), c.stacks);
        SetKeyDown(VK_LBUTTON, c.pressed);
        const POINT cursor = c.inside ? POINT{5, 90} : POINT{-1, 40};
        EXPECT_EQ(FaceColour(cursor), c.colour) << c.stacks << c.inside << c.pressed;
    }
}

TEST_F(ButtonWnd, TimerRollsThreeLayersTowardThePointer) {
    struct Case {
        int x, y, dx, dy;
    };
    const Case cases[] = {
        {88, 38, 8, -2}, {48, 48, 0, 0}, {51, 45, 0, 0}, {43, 56, -1, 2}, {0, 95, -8, 8},
    };
    BuildImage(button->Image(), 3);
    const int rolled[][2] = {{1, 2}, {0, 0}, {2, 2}};
    for (const Case& c : cases) {
        CBmp expected[3], still;
        for (int i = 0; i < 3; ++i) {
            expected[i].Copy(*Layer(button->Image(), rolled[i][0], rolled[i][1]));
            expected[i].Roll(c.dx, c.dy);
        }
        still.Copy(*Layer(button->Image(), 1, 1));
        SendMessageA(window, WM_MOUSEMOVE, 0, At(c.x, c.y));
        SendMessageA(window, WM_TIMER, CButtonWnd::kHoverTimer, 0);
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(
                SamePixels(*Layer(button->Image(), rolled[i][0], rolled[i][1]), expected[i]))
                << c.x << ", " << c.y << " layer " << i;
        EXPECT_TRUE(SamePixels(*Layer(button->Image(), 1, 1), still));
    }
}

TEST_F(ButtonWnd, LeavingStopsTheTimer) {
    BuildImage(button->Image(), 3);
    SendMessageA(window, WM_MOUSEMOVE, 0, At(88, 38));
    EXPECT_TRUE(KillTimer(window, CButtonWnd::kHoverTimer));
    SendMessageA(window, WM_MOUSELEAVE, 0, 0);
    SendMessageA(window, WM_MOUSEMOVE, 0, At(88, 38)); // a new hot period
    SendMessageA(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(KillTimer(window, CButtonWnd::kHoverTimer));
    CBmp before;
    before.Copy(*Layer(button->Image(), 0, 0));
    PumpFor(200);
    EXPECT_TRUE(SamePixels(*Layer(button->Image(), 0, 0), before));
}

TEST_F(ButtonWnd, PressShowsPressedReleaseInsideClicksOnce) {
    struct Case {
        int x, y, commands;
    };
    const Case cases[] = {{20, 30, 1}, {-5, 30, 0}, {20, kSize + 2, 0}, {kSize - 1, 0, 1}};
    BuildImage(button->Image(), 3);
    for (const Case& c : cases) {
        SetKeyDown(VK_LBUTTON, true);
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, At(40, 40));
        EXPECT_EQ(GetCapture(), window);
        EXPECT_EQ(FaceColour(POINT{40, 40}), kStackColours[2]);
        SetKeyDown(VK_LBUTTON, false);
        SendMessageA(window, WM_LBUTTONUP, 0, At(c.x, c.y));
        EXPECT_NE(GetCapture(), window);
        EXPECT_EQ(TakeCommands(), c.commands) << c.x << ", " << c.y;
    }
}

TEST_F(ButtonWnd, ClickWithoutParentPostsNothing) {
    const HWND lone = CreateWindowExA(0, CButtonWnd::kClassName, "", WS_POPUP, 0, 0, kSize, kSize,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(lone, WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20));
    SendMessageA(lone, WM_LBUTTONUP, 0, At(20, 20));
    MSG message;
    EXPECT_FALSE(
        PeekMessageA(&message, reinterpret_cast<HWND>(-1), WM_COMMAND, WM_COMMAND, PM_REMOVE));
    DestroyWindow(lone);
}

namespace {

// The rectangle of the face drawn in a control twice its size.
RECT DrawnFace(CButtonWnd* button) {
    constexpr int kClient = 2 * kSize;
    CDibTarget target(kClient, kClient);
    if (!target.Ready())
        return RECT{};
    const RECT client{0, 0, kClient, kClient};
    button->DrawFace(target.Dc(), client, POINT{-1, -1});
    RECT drawn{kClient, kClient, 0, 0};
    for (int y = 0; y < kClient; ++y)
        for (int x = 0; x < kClient; ++x)
            if (target.At(x, y) != 0) {
                drawn.left = std::min<LONG>(drawn.left, x);
                drawn.top = std::min<LONG>(drawn.top, y);
                drawn.right = std::max<LONG>(drawn.right, x + 1);
                drawn.bottom = std::max<LONG>(drawn.bottom, y + 1);
            }
    return drawn;
}

// Where the face at `dpi` lies in a control twice its size: at 96 DPI at the corner in its
// own size, at any other DPI scaled by dpi / 96 and centred.
RECT ExpectedFace(int dpi) {
    constexpr int kClient = 2 * kSize;
    const int side = (kSize * dpi + 48) / 96;
    const int corner = dpi == 96 ? 0 : (kClient - side) / 2;
    return RECT{corner, corner, corner + side, corner + side};
}

void ExpectFace(const RECT& drawn, const RECT& expected) {
    EXPECT_EQ(drawn.left, expected.left);
    EXPECT_EQ(drawn.top, expected.top);
    EXPECT_EQ(drawn.right, expected.right);
    EXPECT_EQ(drawn.bottom, expected.bottom);
}

// The face at the window's DPI (the test run's screen), so that the texture streams from
// its centre.
TEST_F(ButtonWnd, TheFaceIsScaledWithTheDpiAndCentred) {
    SetWindowPos(window, nullptr, 0, 0, 2 * kSize, 2 * kSize, SWP_NOMOVE | SWP_NOZORDER);
    BuildImage(button->Image(), 3);
    const int dpi = WindowDpi(nullptr); // the screen's
    SCOPED_TRACE(dpi);
    ExpectFace(DrawnFace(button), ExpectedFace(dpi));
}

// When the window moves to a monitor of another DPI, its dialog hands the new DPI to the
// button, and the face is drawn for it from then on, back and forth.
TEST_F(ButtonWnd, TheFaceFollowsTheDpiItIsGiven) {
    SetWindowPos(window, nullptr, 0, 0, 2 * kSize, 2 * kSize, SWP_NOMOVE | SWP_NOZORDER);
    BuildImage(button->Image(), 3);
    for (int dpi : {144, 192, 120, 96}) {
        SCOPED_TRACE(dpi);
        button->SetDpi(dpi);
        ExpectFace(DrawnFace(button), ExpectedFace(dpi));
    }
}

} // namespace
