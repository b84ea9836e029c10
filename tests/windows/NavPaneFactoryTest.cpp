#include "NavPaneIds.h"
#include "NavPaneRig.h"

#include "effects/engine/CNavPaneItemData.h"
#include "graphics/DpiScale.h"
#include "resources/resource.h"
#include "ui/CButtonWnd.h"
#include "ui/CDialog.h"
#include "ui/WindowDpi.h"

#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

using Tool = CNavPaneItemTool;

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
    CNavPaneWnd* pane = ObjectOf<CNavPaneWnd>(control);
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane, GetPropA(control, CWnd::kEntityProperty));
    EXPECT_EQ(ObjectOf<CButtonWnd>(control), nullptr) << "a pane is no button";
    EXPECT_EQ(ObjectOf<CNavPaneWnd>(window), nullptr);
    EXPECT_EQ(ObjectOf<CNavPaneWnd>(nullptr), nullptr);
    EXPECT_TRUE(pane->IsCreatedByFactory());
    EXPECT_TRUE(GetClassLongPtrA(control, GCL_STYLE) & CS_DBLCLKS);
    EXPECT_TRUE(GetWindowLongPtrA(control, GWL_STYLE) & WS_CLIPCHILDREN);

    CRecordingNavParent owner;
    pane->SetCallback(&owner);
    auto* entry = new CCountedEntry;
    entry->text = "Fire";
    entry->SetHeight(36);
    ASSERT_TRUE(pane->AddEntry(entry));
    pane->AddTool(entry, new Tool(Tool::kPush | Tool::kEdge | Tool::kFlat, IDT_EFFECT_SETTINGS),
                  true);
    ClickAt(control, 18, 18);
    EXPECT_EQ(owner.Of("Tool"), std::vector<std::string>({"Tool 1002 Fire"}));
    EXPECT_EQ(alive, 1);

    DestroyWindow(window);
    EXPECT_EQ(alive, 0);
    EXPECT_TRUE(CNavPaneWnd::RegisterFactory());
}

namespace {

// The settings page's use of the pane: the mark tool's command marks its entry alone.
class CMarkingParent : public CRecordingNavParent {
public:
    explicit CMarkingParent(CNavPaneWnd& pane) : pane(pane) {}
    int OnToolCommand(UINT command, CNavPaneItem* entry) override {
        CRecordingNavParent::OnToolCommand(command, entry);
        if (command == IDT_EFFECT_MARK)
            pane.SetMark(entry, IDT_EFFECT_MARK);
        return 0;
    }
    CNavPaneWnd& pane;
};

} // namespace

// Three coloured effect entries as the settings page builds them: a settings button at the
// left, the mark and a picture at the right, pictures from the program's bitmaps; clicking
// a mark (even the one already set) leaves exactly one entry marked.
TEST(NavPaneFactory, SettingsPageEntries) {
    const int row = ScaleToDpi(36, WindowDpi(nullptr)); // the DPI of the run
    CNavPaneRig rig(300, 4 * row);
    CMarkingParent owner(rig.pane);
    rig.pane.SetCallback(&owner);
    rig.pane.SetSelectOnClick(false);
    CNavPaneItemData sets[3];
    const char* names[3] = {"Fire", "Northern lights", "Water"};
    for (int i = 0; i < 3; ++i) {
        CNavPaneItem* entry = rig.pane.AddColouredEntry(names[i], 0x0080FF, 36, &sets[i]);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->data, &sets[i]);
        CNavPaneItemTool* settings =
            rig.pane.AddTool(entry, Tool::kPush | Tool::kEdge | Tool::kFlat, IDT_EFFECT_SETTINGS,
                             true, nullptr, IDB_EFFECT_SETTINGS);
        CNavPaneItemTool* mark =
            rig.pane.AddTool(entry, Tool::kToggle | Tool::kPush | Tool::kFlat, IDT_EFFECT_MARK,
                             false, nullptr, IDB_MARK_OFF, IDB_MARK_ON);
        rig.pane.AddTool(entry, Tool::kFlat, 0, false, nullptr, IDB_EFFECT_SCREEN);
        // Pictures that fit the cells.
        for (const CBmp* picture : {&settings->image, &mark->image, &mark->checkedImage}) {
            EXPECT_NE(picture->pixels, nullptr);
            EXPECT_LE(picture->width, 34);
            EXPECT_LE(picture->height, 34);
        }
    }
    rig.pane.SetMark(rig.pane.FirstEntry(), IDT_EFFECT_MARK);
    EXPECT_EQ(rig.pane.MarkedEntry(IDT_EFFECT_MARK), rig.pane.FirstEntry());
    struct Click {
        int row;
        int marked;
    };
    for (const Click click : {Click{2, 2}, Click{2, 2}, Click{1, 1}}) {
        rig.Click(300 - row / 2, row * click.row + row / 2);
        EXPECT_EQ(rig.pane.MarkedEntry(IDT_EFFECT_MARK),
                  rig.pane.Root()->children.GetAt(click.marked));
        int checked = 0;
        for (CNavPaneItem* entry : rig.pane.Root()->children.Items())
            checked +=
                CNavPaneWnd::FindTool(entry, IDT_EFFECT_MARK)->Has(CNavPaneItemTool::kChecked);
        EXPECT_EQ(checked, 1);
    }
    rig.Click(row / 2, row + row / 2);
    EXPECT_EQ(owner.Of("Tool").back(), "Tool 1002 Northern lights");
    EXPECT_EQ(rig.pane.Selection().Count(), 0);
    rig.pane.SetCallback(nullptr);
}
