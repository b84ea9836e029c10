#include "NavPaneRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <windows.h>

#include <string>
#include <vector>

using Tool = CNavPaneItemTool;

namespace {

// Rows of the standard rig are 36 pixels high: entry i spans y 36 i .. 36 i + 35.
int RowMiddle(int index) {
    return 36 * index + 18;
}

} // namespace

// An entry without children never shows as expanded, whatever Expand asks; with children
// it expands, its expander follows, and collapsing collapses the whole subtree.
TEST(NavPane, ExpandNeedsChildrenAndCollapsesTheSubtree) {
    CNavPaneRig rig(300, 200);
    CNavPaneItem* a = rig.Add("A");
    auto* expander = new Tool(Tool::kExpander, 0);
    rig.pane.AddTool(a, expander, true);
    for (int state : {1, -1, 1}) {
        EXPECT_EQ(a->Expand(state), 0) << state;
        EXPECT_EQ(a->expanded, 0u);
        EXPECT_FALSE(expander->Has(Tool::kChecked));
    }
    CNavPaneItem* child = rig.Add("C", 20, a);
    rig.Add("G", 20, child);
    EXPECT_EQ(a->Expand(-1), 1);
    EXPECT_TRUE(expander->Has(Tool::kChecked));
    EXPECT_EQ(child->Expand(1), 1);
    EXPECT_EQ(rig.pane.ContentHeight(), 36 + 20 + 20 + 2 * 3);
    EXPECT_EQ(a->Expand(0), 0);
    EXPECT_EQ(child->expanded, 0u);
    EXPECT_FALSE(expander->Has(Tool::kChecked));
    EXPECT_EQ(rig.pane.ContentHeight(), 36);
    // Collapsing reports the grandchild, the child and the entry.
    EXPECT_EQ(rig.owner.Of("Changed").size(), 8u);
}

// Clicking the expander (no picture, no toggle bit) expands its entry and clicking again
// collapses it.
TEST(NavPane, ExpanderToolClicks) {
    CNavPaneRig rig(300, 200);
    CNavPaneItem* a = rig.Add("A");
    rig.Add("C", 20, a);
    rig.pane.AddTool(a, new Tool(Tool::kExpander, 0), false);
    rig.Click(300 - 18, 18);
    EXPECT_EQ(a->expanded, 1u);
    rig.Click(300 - 18, 18);
    EXPECT_EQ(a->expanded, 0u);
    EXPECT_TRUE(rig.owner.Of("Tool").empty());
}

// A push tool sends its command with its entry and leaves selection and focus alone; a
// toggle tool flips its mark and sends its command; a tool of neither kind sends nothing;
// releasing away from the pressed tool sends nothing and lets it go.
TEST(NavPane, ToolClicks) {
    CNavPaneRig rig(300, 200);
    auto entries = rig.AddMany(2);
    auto* push = new Tool(Tool::kPush | Tool::kEdge | Tool::kFlat, 1002);
    auto* mark = new Tool(Tool::kToggle | Tool::kPush | Tool::kFlat, 1026);
    auto* still = new Tool(Tool::kFlat, 0);
    rig.pane.AddTool(entries[1], push, true);
    rig.pane.AddTool(entries[1], mark, false);
    rig.pane.AddTool(entries[1], still, false);
    EXPECT_FALSE(rig.pane.AddTool(entries[1], push, false));
    rig.Click(10, RowMiddle(0));
    ASSERT_EQ(rig.Order(), "aB");

    rig.Click(18, RowMiddle(1));
    EXPECT_EQ(rig.owner.Of("Tool"), std::vector<std::string>({"Tool 1002 B"}));
    EXPECT_EQ(rig.Order(), "aB");
    EXPECT_EQ(rig.pane.FocusEntry(), entries[0]);
    EXPECT_FALSE(push->Has(Tool::kPressed | Tool::kHot));

    rig.Click(300 - 18, RowMiddle(1));
    EXPECT_TRUE(mark->Has(Tool::kChecked));
    rig.Click(300 - 36 - 18, RowMiddle(1));
    rig.Click(300 - 18, RowMiddle(1));
    EXPECT_FALSE(mark->Has(Tool::kChecked));
    EXPECT_EQ(rig.owner.Of("Tool"),
              std::vector<std::string>({"Tool 1002 B", "Tool 1026 B", "Tool 1026 B"}));

    rig.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(18, RowMiddle(1)));
    EXPECT_TRUE(push->Has(Tool::kPressed));
    rig.Send(WM_LBUTTONUP, 0, MAKELPARAM(150, RowMiddle(1)));
    EXPECT_FALSE(push->Has(Tool::kPressed));
    EXPECT_EQ(rig.owner.Of("Tool").size(), 3u);
    EXPECT_EQ(CNavPaneWnd::FindTool(entries[1], 1026), mark);
    EXPECT_EQ(CNavPaneWnd::FindTool(entries[1], 7), nullptr);
}

// Moving over a tool makes it hot and its entry the hot one; leaving every tool clears it.
TEST(NavPane, HotTool) {
    CNavPaneRig rig(300, 200);
    CNavPaneItem* a = rig.Add("A");
    auto* push = new Tool(Tool::kPush, 5);
    rig.pane.AddTool(a, push, true);
    rig.Send(WM_MOUSEMOVE, 0, MAKELPARAM(18, 18));
    EXPECT_TRUE(push->Has(Tool::kHot));
    rig.Send(WM_MOUSEMOVE, 0, MAKELPARAM(1, 18)); // within the cell's 2-pixel margin
    EXPECT_FALSE(push->Has(Tool::kHot));
    rig.Send(WM_MOUSEMOVE, 0, MAKELPARAM(18, 18));
    rig.Send(WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(push->Has(Tool::kHot));
}

// With select on click off, clicks and arrow keys move the focus and select nothing.
TEST(NavPane, SelectOnClickOffMovesOnlyTheFocus) {
    CNavPaneRig rig(300, 200);
    auto entries = rig.AddMany(3);
    rig.pane.SetSelectOnClick(false);
    rig.Click(100, RowMiddle(1));
    EXPECT_EQ(rig.pane.FocusEntry(), entries[1]);
    rig.Key(VK_DOWN);
    EXPECT_EQ(rig.pane.FocusEntry(), entries[2]);
    rig.Click(100, RowMiddle(0), MK_CONTROL);
    rig.Key(VK_UP);
    EXPECT_EQ(rig.pane.FocusEntry(), entries[2]);
    EXPECT_EQ(rig.Order(), "ABC");
    EXPECT_EQ(rig.pane.Selection().Count(), 0);
}

// Selection by clicks: each row starts from a fresh pane of five entries with "A" clicked.
TEST(NavPane, ClickSelection) {
    struct Case {
        const char* what;
        bool multiple;
        bool allowEmpty;
        std::vector<std::pair<int, UINT>> clicks; // row (-1: below the rows), keys
        const char* order;
    };
    const Case cases[] = {
        {"plain click moves the selection", true, true, {{2, 0}}, "ABcDE"},
        {"ctrl adds", true, true, {{2, MK_CONTROL}, {4, MK_CONTROL}}, "aBcDe"},
        {"ctrl toggles off", true, true, {{0, MK_CONTROL}}, "ABCDE"},
        {"shift selects from the anchor", true, true, {{1, 0}, {3, MK_SHIFT}}, "AbcdE"},
        {"shift backwards", true, true, {{3, 0}, {1, MK_SHIFT}}, "AbcdE"},
        {"ctrl click moves the anchor", true, true, {{4, MK_CONTROL}, {2, MK_SHIFT}}, "ABcde"},
        {"single ignores ctrl", false, true, {{2, MK_CONTROL}}, "ABcDE"},
        {"single ignores shift", false, true, {{3, MK_SHIFT}}, "ABCdE"},
        {"empty click clears", true, true, {{-1, 0}}, "ABCDE"},
        {"empty click keeps one", true, false, {{-1, 0}}, "aBCDE"},
        {"ctrl off keeps the focus one", true, false, {{0, MK_CONTROL}}, "aBCDE"},
    };
    for (const Case& c : cases) {
        CNavPaneRig rig(300, 200);
        auto entries = rig.AddMany(5, 30);
        rig.pane.SetMultipleSelection(c.multiple);
        rig.pane.SetAllowEmptySelection(c.allowEmpty);
        rig.Click(100, 15);
        for (const auto& [row, keys] : c.clicks)
            rig.Click(100, row < 0 ? 190 : 30 * row + 15, keys);
        EXPECT_EQ(rig.Order(), c.order) << c.what;
        EXPECT_EQ(rig.pane.Selection().Count(),
                  static_cast<int>(std::count_if(entries.begin(), entries.end(),
                                                 [](auto* e) { return e->selected != 0; })))
            << c.what;
    }
}

// Arrow keys: Down and Up wrap among the siblings; with nothing focused the first entry
// takes the focus; a bottom-up pane swaps the keys; the owner can swallow a key.
TEST(NavPane, ArrowKeys) {
    struct Case {
        const char* what;
        bool bottomUp;
        std::vector<UINT> keys;
        const char* order;
    };
    const Case cases[] = {
        {"first key focuses the first", false, {VK_UP}, "aBC"},
        {"down", false, {VK_DOWN, VK_DOWN}, "AbC"},
        {"down wraps", false, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN}, "aBC"},
        {"up wraps", false, {VK_DOWN, VK_UP}, "ABc"},
        {"bottom-up swaps", true, {VK_DOWN, VK_UP}, "AbC"},
        {"other keys do nothing", false, {VK_RIGHT, VK_HOME}, "ABC"},
    };
    for (const Case& c : cases) {
        CNavPaneRig rig(300, 200);
        rig.pane.SetBottomUp(c.bottomUp);
        rig.AddMany(3);
        for (UINT key : c.keys)
            rig.Key(key);
        EXPECT_EQ(rig.Order(), c.order) << c.what;
        EXPECT_EQ(rig.owner.Of("Key").size(), c.keys.size()) << c.what;
    }
    CNavPaneRig rig(300, 200);
    rig.AddMany(3);
    rig.owner.swallowKeys = 1;
    rig.Key(VK_DOWN);
    EXPECT_EQ(rig.pane.FocusEntry(), nullptr);
    EXPECT_EQ(rig.Send(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS); // Tab, Enter, Esc: the dialog's
}

// 8 entries of 36 in a 200-pixel client: Down on the last focuses the first and scrolls to
// the top; Down from the top scrolls just enough to show the focused row.
TEST(NavPane, FocusScrollsIntoView) {
    CNavPaneRig rig(300, 200);
    auto entries = rig.AddMany(8);
    rig.pane.SetFocusEntry(entries[6]);
    rig.Key(VK_DOWN);
    EXPECT_EQ(rig.pane.FocusEntry(), entries[7]);
    EXPECT_EQ(rig.pane.ScrollPosition(), 8 * 36 - 200);
    rig.Key(VK_DOWN);
    EXPECT_EQ(rig.pane.FocusEntry(), entries[0]);
    EXPECT_EQ(rig.pane.ScrollPosition(), 0);
    rig.Key(VK_UP);
    EXPECT_EQ(rig.pane.ScrollPosition(), 8 * 36 - 200);
    for (int i = 0; i < 6; ++i)
        rig.Key(VK_UP);
    EXPECT_EQ(rig.pane.FocusEntry(), entries[1]);
    EXPECT_EQ(rig.pane.ScrollPosition(), 36);
}

// Content 500 high in a 300-pixel client: range 0..200; the wheel moves 30 per whole notch
// (toward the user is down), within the range; the scroll bar's lines, pages and thumb.
TEST(NavPane, ScrollRangeWheelAndBar) {
    CNavPaneRig rig(300, 300);
    rig.AddMany(10, 50);
    int low = -1;
    int high = -1;
    GetScrollRange(rig.pane.Handle(), SB_VERT, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 200);
    struct Step {
        UINT message;
        WPARAM wParam;
        int position;
    };
    const Step steps[] = {
        {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 30},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-119)), 30},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-250)), 90},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 60},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-1200)), 200},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 1200), 0},
        {WM_VSCROLL, SB_LINEDOWN, 1},
        {WM_VSCROLL, SB_PAGEDOWN, 200},
        {WM_VSCROLL, SB_LINEUP, 199},
        {WM_VSCROLL, SB_PAGEUP, 0},
        {WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 77), 77},
        {WM_VSCROLL, SB_BOTTOM, 200},
    };
    for (const Step& step : steps) {
        rig.Send(step.message, step.wParam, 0);
        EXPECT_EQ(rig.pane.ScrollPosition(), step.position) << step.message << " " << step.wParam;
        EXPECT_EQ(GetScrollPos(rig.pane.Handle(), SB_VERT), step.position);
    }
    // Once everything fits, the bar goes and the position returns to 0.
    while (rig.pane.Root()->children.Count() > 5)
        rig.pane.RemoveEntry(rig.pane.Root()->children.GetAt(0));
    EXPECT_EQ(rig.pane.ScrollPosition(), 0);
    EXPECT_FALSE(GetWindowLongPtrA(rig.pane.Handle(), GWL_STYLE) & WS_VSCROLL);
}

// Removing an entry keeps the entry after it in view.
TEST(NavPane, RemoveEntryKeepsTheNextInView) {
    CNavPaneRig rig(300, 200);
    auto entries = rig.AddMany(12);
    rig.pane.ScrollTo(12 * 36 - 200);
    rig.pane.RemoveEntry(entries[2]);
    RECT row{};
    ASSERT_TRUE(rig.pane.GetEntryRect(entries[3], row));
    EXPECT_GE(row.top, 0);
    EXPECT_LE(row.bottom, 200);
    EXPECT_EQ(rig.Order(), "ABDEFGHIJKL");
    EXPECT_FALSE(rig.pane.RemoveEntry(rig.pane.Root()));
}

// Drags between rows (each passing over "C"): back onto its own row nothing happens and
// nothing is selected; an owner that handles the drop
// keeps the order; otherwise the source moves before or after the target.
TEST(NavPane, DragReorders) {
    struct Case {
        const char* what;
        int from;
        int toY;
        bool ownerHandles;
        const char* drop;
        const char* order;
    };
    const Case cases[] = {
        {"back to its own row", 1, RowMiddle(1) + 10, false, nullptr, "ABCD"},
        {"owner handles", 0, 36 * 2 + 5, true, "Drop C A before", "ABCD"},
        {"upper half: before", 0, 36 * 2 + 5, false, "Drop C A before", "BACD"},
        {"lower half: after", 0, 36 * 2 + 30, false, "Drop C A after", "BCAD"},
        {"upward, after", 3, 36 * 0 + 30, false, "Drop A D after", "ADBC"},
    };
    for (const Case& c : cases) {
        CNavPaneRig rig(300, 200);
        rig.AddMany(4);
        rig.owner.dropResult = c.ownerHandles;
        rig.Drag({100, RowMiddle(c.from)}, {100, c.toY}, {{100, RowMiddle(2)}});
        const auto drops = rig.owner.Of("Drop");
        if (c.drop)
            EXPECT_EQ(drops, std::vector<std::string>({c.drop})) << c.what;
        else
            EXPECT_TRUE(drops.empty()) << c.what;
        EXPECT_EQ(rig.Order(), c.order) << c.what;
    }
}

// While a drag is over another entry, a translucent drag window of the dragged row's size
// follows the pointer and the inverted drop marker shows; the button up removes both.
TEST(NavPane, DragWindowAndMarker) {
    CNavPaneRig rig(300, 200);
    rig.AddMany(3);
    rig.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, RowMiddle(0)));
    rig.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, RowMiddle(0) + 3));
    EXPECT_EQ(FindWindowA("DragWnd", nullptr), nullptr);
    rig.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, RowMiddle(1) + 5));
    HWND drag = FindWindowA("DragWnd", nullptr);
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(GetWindow(drag, GW_OWNER), rig.host);
    const LONG_PTR exStyle = GetWindowLongPtrA(drag, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    EXPECT_TRUE(exStyle & WS_EX_TRANSPARENT);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(drag, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 196);
    // The marker: the bottom 4 rows of "B" inverted, above its edge line.
    const auto pixels = rig.Paint();
    const uint32_t face = CNavPaneRig::Rgb(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(pixels.At(150, 36 + 20), face);
    EXPECT_EQ(pixels.At(150, 36 + 33), face ^ 0xFFFFFF);
    RECT before{};
    GetWindowRect(drag, &before);
    EXPECT_EQ(before.right - before.left, 300);
    EXPECT_EQ(before.bottom - before.top, 36);
    // Grabbed 18 pixels below its top, the row follows the pointer at the pane's left.
    POINT paneOrigin{0, 0};
    ClientToScreen(rig.pane.Handle(), &paneOrigin);
    EXPECT_EQ(before.left, paneOrigin.x);
    EXPECT_EQ(before.top - paneOrigin.y, RowMiddle(1) + 5 - 18);
    rig.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, RowMiddle(2) + 5));
    RECT after{};
    GetWindowRect(drag, &after);
    EXPECT_EQ(after.top - before.top, 36);
    EXPECT_EQ(after.left, before.left);
    rig.Send(WM_LBUTTONUP, 0, MAKELPARAM(100, RowMiddle(2) + 5));
    EXPECT_FALSE(IsWindow(drag));
    EXPECT_EQ(rig.Order(), "BCA");

    // A move without the button (its release went elsewhere) ends the drag without a drop.
    rig.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, RowMiddle(0)));
    rig.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, RowMiddle(2)));
    ASSERT_NE(FindWindowA("DragWnd", nullptr), nullptr);
    rig.Send(WM_MOUSEMOVE, 0, MAKELPARAM(100, RowMiddle(2)));
    EXPECT_EQ(FindWindowA("DragWnd", nullptr), nullptr);
    EXPECT_EQ(rig.Paint().At(150, 72 + 33), face);
    // A release after that is a click on the entry under it.
    rig.Send(WM_LBUTTONUP, 0, MAKELPARAM(100, RowMiddle(2)));
    EXPECT_EQ(rig.owner.Of("Drop").size(), 1u);
    EXPECT_EQ(rig.Order(), "BCa");
}

// The capture taken away in the middle of a drag (another window takes it, as a menu or a
// switch to another program does; a right click releases it) ends the drag at once: the
// drag window and the marker go, and the left button's release drops nothing.
TEST(NavPane, LosingTheCaptureEndsADrag) {
    struct Case {
        const char* what;
        void (*takeAway)(CNavPaneRig& rig);
    };
    const Case cases[] = {
        {"another window takes it", [](CNavPaneRig& rig) { SetCapture(rig.host); }},
        {"it is released", [](CNavPaneRig&) { ReleaseCapture(); }},
        {"a right click in the pane",
         [](CNavPaneRig& rig) {
             rig.Send(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(100, RowMiddle(2)));
             rig.Send(WM_RBUTTONUP, MK_LBUTTON, MAKELPARAM(100, RowMiddle(2)));
         }},
    };
    for (const Case& c : cases) {
        CNavPaneRig rig(300, 200);
        rig.AddMany(3);
        const uint32_t face = CNavPaneRig::Rgb(GetSysColor(COLOR_BTNFACE));
        rig.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, RowMiddle(0)));
        rig.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, RowMiddle(2) + 5));
        ASSERT_NE(FindWindowA("DragWnd", nullptr), nullptr) << c.what;
        c.takeAway(rig);
        EXPECT_EQ(FindWindowA("DragWnd", nullptr), nullptr) << c.what;
        EXPECT_EQ(rig.Paint().At(150, 72 + 33), face) << c.what << ": the marker stays";
        rig.Send(WM_LBUTTONUP, 0, MAKELPARAM(100, RowMiddle(2) + 5));
        ReleaseCapture();
        EXPECT_TRUE(rig.owner.Of("Drop").empty()) << c.what;
        EXPECT_EQ(rig.Order(), "ABc") << c.what << ": the release is a click";
    }
}

// Entries and tools are added once; the pane deletes its entries, their children and
// tools, and the windows attached to them when its window goes.
TEST(NavPane, OwnershipAndDestruction) {
    static int alive = 0;
    struct CCountedEntry : CNavPaneItem {
        CCountedEntry() { ++alive; }
        ~CCountedEntry() override { --alive; }
    };
    HWND attached = nullptr;
    {
        CNavPaneRig rig(300, 200);
        auto* a = new CCountedEntry;
        auto* b = new CCountedEntry;
        ASSERT_TRUE(rig.pane.AddEntry(a));
        EXPECT_FALSE(rig.pane.AddEntry(a));
        ASSERT_TRUE(rig.pane.AddChild(a, b));
        EXPECT_EQ(b->Parent(), a);
        EXPECT_EQ(b->Pane(), &rig.pane);
        attached = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 40,
                                   rig.pane.Handle(), nullptr, nullptr, nullptr);
        a->attachedWindow = attached;
        rig.pane.Select(a, true);
        rig.pane.SetFocusEntry(b);
        EXPECT_EQ(alive, 2);
    }
    EXPECT_EQ(alive, 0);
    EXPECT_FALSE(IsWindow(attached));
}

// An attached window sits under its row, takes its height plus 3, and moves with the
// scroll position; collapsing its entry hides it, and one that no longer exists is
// forgotten.
TEST(NavPane, AttachedWindow) {
    CNavPaneRig rig(300, 200);
    auto entries = rig.AddMany(8);
    rig.Add("X", 20, entries[1]);
    HWND attached = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 40,
                                    rig.pane.Handle(), nullptr, nullptr, nullptr);
    entries[1]->attachedWindow = attached;
    rig.pane.UpdateScrollRange();
    EXPECT_EQ(rig.pane.ContentHeight(), 8 * 36 + 43);
    RECT place{};
    GetWindowRect(attached, &place);
    MapWindowPoints(nullptr, rig.pane.Handle(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.top, 72);
    EXPECT_EQ(place.left, GetSystemMetrics(SM_CXFRAME));
    RECT row{};
    ASSERT_TRUE(rig.pane.GetEntryRect(entries[2], row));
    EXPECT_EQ(row.top, 72 + 43);
    rig.pane.ScrollTo(30);
    GetWindowRect(attached, &place);
    MapWindowPoints(nullptr, rig.pane.Handle(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.top, 42);
    entries[1]->Expand(0);
    EXPECT_FALSE(GetWindowLongPtrA(attached, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(rig.pane.ContentHeight(), 8 * 36);
    DestroyWindow(attached);
    entries[1]->Expand(0);
    EXPECT_EQ(entries[1]->attachedWindow, nullptr);
}

// A bottom-up pane stacks the first entry at the bottom, lays a child group above its
// entry, and a new entry scrolls the view back to position 0.
TEST(NavPane, BottomUpGeometry) {
    CNavPaneRig rig(300, 200);
    rig.pane.SetBottomUp(true);
    auto entries = rig.AddMany(2);
    CNavPaneItem* child = rig.Add("X", 20, entries[0]);
    entries[0]->Expand(1);
    RECT row{};
    ASSERT_TRUE(rig.pane.GetEntryRect(entries[0], row));
    EXPECT_EQ(row.bottom, 200);
    EXPECT_EQ(row.top, 164);
    ASSERT_TRUE(rig.pane.GetEntryRect(child, row));
    EXPECT_EQ(row.bottom, 164);
    EXPECT_EQ(row.left, 8);
    ASSERT_TRUE(rig.pane.GetEntryRect(entries[1], row));
    EXPECT_EQ(row.bottom, 164 - 20 - 3);
    rig.AddMany(6);
    rig.pane.ScrollTo(50);
    EXPECT_EQ(rig.pane.ScrollPosition(), 50);
    rig.Add("Z");
    EXPECT_EQ(rig.pane.ScrollPosition(), 0);
}
