#include "NavPaneIds.h"
#include "NavPaneRig.h"

#include "ui/CDialog.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

class CPlainDialog : public CDialog {};

int alive = 0;

struct CCountedEntry : CNavPaneItem {
    CCountedEntry() { ++alive; }
    ~CCountedEntry() override { --alive; }
};

} // namespace

// A template control of class "LV_NavigatePane" gets a factory-made pane, with double
// clicks in its class and clip-children in its style; the owner reaches it through the
// window property, and it goes, with its entries, when the dialog goes.
TEST(NavPaneFactory, TemplateControlGetsAPane) {
    ASSERT_TRUE(CNavPaneWnd::RegisterFactory());
    CPlainDialog dialog;
    HWND window = dialog.CreateModeless(nullptr, IDD_NAV_PANE_TEST, nullptr);
    ASSERT_NE(window, nullptr);
    HWND control = GetDlgItem(window, IDC_NAV_PANE);
    auto* pane = dynamic_cast<CNavPaneWnd*>(static_cast<CWnd*>(GetPropA(control, "WND_ENTITY")));
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(pane->IsCreatedByFactory());
    EXPECT_TRUE(GetClassLongPtrA(control, GCL_STYLE) & CS_DBLCLKS);
    EXPECT_TRUE(GetWindowLongPtrA(control, GWL_STYLE) & WS_CLIPCHILDREN);

    CRecordingNavParent owner;
    pane->SetCallback(&owner);
    auto* entry = new CCountedEntry;
    entry->text = "Fire";
    entry->SetHeight(36);
    ASSERT_TRUE(pane->AddEntry(entry));
    pane->AddTool(entry, new CNavPaneItemTool(208, 1002), true);
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(18, 18));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(18, 18));
    EXPECT_EQ(owner.Of("Tool"), std::vector<std::string>({"Tool 1002 Fire"}));
    EXPECT_EQ(alive, 1);

    DestroyWindow(window);
    EXPECT_EQ(alive, 0);
    EXPECT_TRUE(CNavPaneWnd::RegisterFactory());
}
