#include "SizerIds.h"

#include "ui/CDialogSize.h"

#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

// How a control's edges follow a grown client area: 1 moves an edge by the growth.
struct Follow {
    int left, top, right, bottom;
};

struct Placement {
    const char* what;
    RECT fromCentre; // edges as offsets from the client centre
    DWORD flags;     // given to AddWindow, 0 automatic
    DWORD expected;
    Follow follow;
};

constexpr Placement kPlacements[] = {
    {"right of and above the centre", {10, -50, 60, -30}, 0, 12, {1, 0, 1, 0}},
    {"straddling horizontally, above", {-40, -25, 40, -5}, 0, 8, {0, 0, 1, 0}},
    {"left of and above", {-90, -50, -40, -30}, 0, 16, {0, 0, 0, 0}},
    {"right of and below", {10, 10, 60, 30}, 0, 15, {1, 1, 1, 1}},
    {"straddling both ways", {-20, -8, 20, 8}, 0, 10, {0, 0, 1, 1}},
    {"left of, straddling vertically", {-90, -4, -50, 4}, 0, 2, {0, 0, 0, 1}},
    {"explicit: move down", {-90, -20, -60, -10}, 3, 3, {0, 1, 0, 1}},
};

RECT Grown(const RECT& rect, const Follow& follow, int dx, int dy) {
    return {rect.left + follow.left * dx, rect.top + follow.top * dy,
            rect.right + follow.right * dx, rect.bottom + follow.bottom * dy};
}

void ExpectRect(const RECT& actual, const RECT& expected, const char* what) {
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

// The test template with one static control per placement, added to the sizer in
// OnInitDialog as a derived dialog does.
class CPlacedDialog : public CDialogSize {
public:
    int OnInitDialog() override {
        if (!CDialogSize::OnInitDialog())
            return 0;
        const POINT centre = Sizer()->Centre();
        for (const Placement& placement : kPlacements) {
            const RECT& r = placement.fromCentre;
            HWND control = CreateWindowExA(0, "STATIC", placement.what, WS_CHILD, centre.x + r.left,
                                           centre.y + r.top, r.right - r.left, r.bottom - r.top,
                                           Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
            controls.push_back(control);
            Sizer()->AddWindow(control, placement.flags);
        }
        return 1;
    }

    std::vector<HWND> controls;
};

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

// Grows the window, and with it the client area, by (dx, dy): a real resize with its
// WM_SIZE.
void Grow(HWND window, int dx, int dy) {
    RECT rect{};
    GetWindowRect(window, &rect);
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left + dx, rect.bottom - rect.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

// Automatic flags come from the control's place relative to the client centre; a real
// resize moves and stretches each control by the growth as its flags say.
TEST(Sizer, AutomaticFlagsAndLayoutOnResize) {
    CPlacedDialog dialog;
    ASSERT_NE(dialog.CreateModeless(nullptr, IDD_SIZER_TEST, nullptr), nullptr);
    CSizer* sizer = dialog.Sizer();
    ASSERT_NE(sizer, nullptr);
    const SIZE client = ClientSize(dialog.Handle());
    EXPECT_EQ(sizer->Centre().x, client.cx / 2);
    EXPECT_EQ(sizer->Centre().y, client.cy / 2);

    std::vector<RECT> before;
    for (size_t i = 0; i < dialog.controls.size(); ++i) {
        EXPECT_EQ(sizer->FlagsOf(dialog.controls[i]), kPlacements[i].expected)
            << kPlacements[i].what;
        before.push_back(RectIn(dialog.controls[i], dialog.Handle()));
    }
    const int dx = 70;
    const int dy = 45;
    Grow(dialog.Handle(), dx, dy);
    ASSERT_EQ(ClientSize(dialog.Handle()).cx, client.cx + dx);
    ASSERT_EQ(ClientSize(dialog.Handle()).cy, client.cy + dy);
    for (size_t i = 0; i < dialog.controls.size(); ++i)
        ExpectRect(RectIn(dialog.controls[i], dialog.Handle()),
                   Grown(before[i], kPlacements[i].follow, dx, dy), kPlacements[i].what);

    // Shrinking back restores every rectangle; a destroyed control is skipped.
    DestroyWindow(dialog.controls[2]);
    Grow(dialog.Handle(), -dx, -dy);
    for (size_t i = 0; i < dialog.controls.size(); ++i)
        if (i != 2)
            ExpectRect(RectIn(dialog.controls[i], dialog.Handle()), before[i], kPlacements[i].what);
}

// While suspended the sizer neither lays out nor limits; afterwards it does both again.
TEST(Sizer, SuspendedSizerLeavesControlsAndRectangles) {
    CPlacedDialog dialog;
    ASSERT_NE(dialog.CreateModeless(nullptr, IDD_SIZER_TEST, nullptr), nullptr);
    CSizer* sizer = dialog.Sizer();
    HWND mover = dialog.controls[3];
    const RECT before = RectIn(mover, dialog.Handle());
    sizer->SetSuspended(true);
    Grow(dialog.Handle(), 30, 20);
    ExpectRect(RectIn(mover, dialog.Handle()), before, "suspended");
    EXPECT_EQ(sizer->Layout(500, 500), 0);
    sizer->SetLimits(400, 0, 0, 0);
    RECT sizing{0, 0, 100, 100};
    sizer->LimitSizing(WMSZ_RIGHT, &sizing);
    EXPECT_EQ(sizing.right, 100);

    sizer->SetSuspended(false);
    const SIZE client = ClientSize(dialog.Handle());
    EXPECT_EQ(sizer->Layout(client.cx, client.cy), 1);
    ExpectRect(RectIn(mover, dialog.Handle()), Grown(before, {1, 1, 1, 1}, 30, 20), "resumed");
    sizer->LimitSizing(WMSZ_RIGHT, &sizing);
    EXPECT_EQ(sizing.right, 400);
}

// Adding a window adds its children with automatic flags unless recursion is off; a
// listed window, a missing window and a missing control id add nothing.
TEST(Sizer, AddsChildrenUnlessNotRecursive) {
    CPlacedDialog dialog;
    ASSERT_NE(dialog.CreateModeless(nullptr, IDD_SIZER_TEST, nullptr), nullptr);
    CSizer* sizer = dialog.Sizer();
    const POINT centre = sizer->Centre();
    const auto makeGroup = [&] {
        HWND group = CreateWindowExA(0, "STATIC", "", WS_CHILD, centre.x + 5, 2, 60, 30,
                                     dialog.Handle(), nullptr, nullptr, nullptr);
        HWND child = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 1, 1, 10, 10, group,
                                     reinterpret_cast<HMENU>(5), nullptr, nullptr);
        return std::make_pair(group, child);
    };

    const auto [group, child] = makeGroup();
    EXPECT_EQ(sizer->AddWindow(group, 0), 1);
    EXPECT_EQ(sizer->FlagsOf(group), 12u);
    EXPECT_EQ(sizer->FlagsOf(child), 16u); // left of and above the dialog's centre
    EXPECT_EQ(sizer->AddWindow(child, 3), 0);
    EXPECT_EQ(sizer->FlagsOf(child), 16u);

    EXPECT_EQ(sizer->SetRecursive(0), 1);
    EXPECT_EQ(sizer->SetRecursive(-1), 0);
    const auto [lone, loneChild] = makeGroup();
    EXPECT_EQ(sizer->AddWindow(lone, 2), 1);
    EXPECT_EQ(sizer->FlagsOf(lone), 2u);
    EXPECT_EQ(sizer->FlagsOf(loneChild), 0u);

    EXPECT_EQ(sizer->AddWindow(nullptr, 0), 0);
    EXPECT_EQ(sizer->AddControl(4711, 0), 0);
    EXPECT_FALSE(CSizer(nullptr).IsActive());
}
