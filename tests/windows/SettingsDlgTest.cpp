#include "app/CStartStopHotKey.h"
#include "app/CStartupShortcut.h"
#include "effects/engine/CRenderState.h"
#include "effects/fire/CSetEmbra.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CSetRipla.h"
#include "graphics/DpiScale.h"
#include "params/CParamRegSet.h"
#include "params/CSettingsStore.h"
#include "settings/CSettingsDlg.h"
#include "settings/ISettingsApp.h"
#include "settings/SettingsDialogs.h"
#include "system/COptions.h"
#include "ui/CNavPaneWnd.h"
#include "ui/WindowFactory.h"

#include "windows/DialogDriver.h"
#include "windows/HotKeyProbe.h"
#include "windows/TestPlaces.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// The application as the settings window sees it: the three effects on a headless
// desktop, rendered by real workers, with a real start-up shortcut under a title of the
// test's own, and the settings under the test's own key.
class CStandInApp : public ISettingsApp {
public:
    CStandInApp(CSettingsStore* store, IDesktop* desktop, const tstr& title)
        : store(store), renderState(desktop), fire(store, &renderState),
          lights(store, &renderState), water(store, &renderState), shortcut(title),
          startWithWindows(false), startMinimize(1) {
        sets = {&fire, &lights, &water};
        renderState.activeSet = &fire;
    }
    ~CStandInApp() override { renderState.StopEffect(); }

    const std::vector<CSet*>& EffectSets() override { return sets; }
    CSet* ActiveSet() override { return renderState.activeSet; }
    void SetActiveSet(CSet* set) override { renderState.activeSet = set; }
    void StopEffect() override {
        ++stops;
        renderState.StopEffect();
        running = false;
    }
    void StartEffect() override {
        ++starts;
        running = renderState.StartEffect();
    }
    const std::vector<OptionRow>& Options() override { return options.Rows(); }
    void ReadOptions() override { startWithWindows.Set(shortcut.Exists()); }
    void ApplyOptions() override { ++applied; }
    bool ApplyHotKey() override { return hotKey.Apply(); }
    bool HotKeyTaken() override { return hotKey.Taken(); }
    bool CaptureExclusionRefused() override { return captureRefused; }
    CProgramRulesParam& ProgramRules() override { return options.programs; }
    std::vector<std::string> ProgramsWithWindows() override { return {"obs64.exe", "Zoom.exe"}; }
    void SaveSettings() override {
        CParamRegSet set(store);
        options.Register(set);
        set.Add(&startMinimize, "StartMinimize");
        set.SaveTo("Options\\Common");
        store->WriteString("Sets", "current", renderState.activeSet->Key());
    }

    CSettingsStore* store;
    CRenderState renderState;
    CSetEmbra fire;
    CSetGlimra lights;
    CSetRipla water;
    std::vector<CSet*> sets;
    CStartupShortcut shortcut;
    CParam<bool> startWithWindows;
    CParam<int> startMinimize;
    COptions options{startWithWindows, startMinimize};
    CStartStopHotKey hotKey{options.hotKey}; // registered for the test's owner window
    int applied = 0;                         // OKs that applied the options
    bool captureRefused = false;
    bool running = false;
    int stops = 0;
    int starts = 0;
};

// The value of a check box's row: a flag or a choice of two.
int CheckBoxValue(const OptionRow& row) {
    if (auto* const* flag = std::get_if<CParam<bool>*>(&row.param))
        return *(*flag)->Get() ? 1 : 0;
    return *std::get<CParam<int>*>(row.param)->Get();
}

class SettingsDlg : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        ASSERT_TRUE(CNavPaneWnd::RegisterFactory());
        desktop.SetTaskbar(TaskbarSide::Bottom, 40);
        DeleteTestKey(key);
        InstallSettingsDialog(app.fire);
        InstallSettingsDialog(app.lights);
        InstallSettingsDialog(app.water);
        owner = CreateWindowExA(0, "STATIC", "Embra", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(owner);
        app.hotKey.Activate(owner);
    }
    void TearDown() override {
        app.hotKey.Deactivate();
        app.shortcut.Apply(false);
        DestroyWindow(owner);
        DeleteTestKey(key);
    }

    // Opens the settings window modally over the owner and runs `script` in it.
    void Open(std::function<void(HWND, CSettingsDlg&)> script) {
        CSettingsDlg dialog(&app);
        RunModalScript([&] { dialog.DoModal(nullptr, CSettingsDlg::kTemplate, owner); },
                       [&](HWND window) { script(window, dialog); });
    }
    std::string Saved(const char* path, const char* name) {
        tstr text = "absent";
        store.ReadString(path, name, text);
        return text.str();
    }
    static CNavPaneItem* Entry(CSettingsDlg& dialog, int index) {
        CNavPaneItem* entry = dialog.ListPage().Pane()->FirstEntry();
        for (; entry && index > 0; --index)
            entry = entry->NextSibling();
        return entry;
    }
    // Clicks the mark (rightmost cell) or the settings tool (leftmost cell) of an entry.
    static void ClickTool(CSettingsDlg& dialog, int index, bool mark) {
        CNavPaneWnd* pane = dialog.ListPage().Pane();
        RECT row{};
        ASSERT_TRUE(pane->GetEntryRect(Entry(dialog, index), row));
        const int half = CSettingsListDlg::kEntryHeight / 2;
        ClickAt(pane->Handle(), mark ? row.right - half : row.left + half, row.top + half);
    }
    static void ChooseTab(HWND tab, int position) {
        RECT item{};
        SendMessageA(tab, TCM_GETITEMRECT, position, reinterpret_cast<LPARAM>(&item));
        ClickAt(tab, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    }

    const tstr key = TestKeyPath();
    CSettingsStore store{true, "EmbraTests", CurrentTestName().c_str()};
    CHeadlessDesktop desktop{1024, 768};
    CStandInApp app{&store, &desktop, tstr("Embra test ") + CurrentTestName().c_str()};
    HWND owner = nullptr;
};

std::string TabText(HWND tab, int position) {
    char text[64] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(tab, TCM_GETITEMA, position, reinterpret_cast<LPARAM>(&item));
    return text;
}

TEST_F(SettingsDlg, OpensOnTheItemsListAndTheCommonPageShowsOnlyWithItsTab) {
    bool shown = false;
    Open([&](HWND window, CSettingsDlg& dialog) {
        shown = true;
        EXPECT_EQ(WindowText(window), "Settings");
        EXPECT_EQ(GetWindow(window, GW_OWNER), owner);
        EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_SMALL, 0), 0); // the program's icon
        HWND tab = GetDlgItem(window, CSettingsDlg::kTab);
        ASSERT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 3);
        EXPECT_EQ(TabText(tab, 0), "Items list");
        EXPECT_EQ(TabText(tab, 1), "Common");
        EXPECT_EQ(TabText(tab, 2), "Programs");
        EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);
        HWND list = dialog.Page(CSettingsDlg::kListTab);
        HWND common = dialog.Page(CSettingsDlg::kCommonTab);
        EXPECT_TRUE(IsWindowVisible(list));
        EXPECT_FALSE(IsWindowVisible(common));

        // The rows grow with the DPI of the run (36 pixels at 96 DPI, 54 at 144).
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        const char* const names[] = {"Fire on desktop", "Northern Lights", "Water"};
        for (int index = 0; index < 3; ++index) {
            SCOPED_TRACE(names[index]);
            CNavPaneItem* entry = Entry(dialog, index);
            ASSERT_NE(entry, nullptr);
            EXPECT_EQ(std::string(entry->text.str()), names[index]);
            EXPECT_EQ(entry->data, app.sets[index]);
            EXPECT_EQ(entry->RowHeight(), ScaleToDpi(CSettingsListDlg::kEntryHeight, dpi));
            EXPECT_EQ(entry->backgroundColour, *app.sets[index]->colour.Get() & 0xFFFFFF);
            EXPECT_EQ(entry->leftTools.Count(), 1);
            EXPECT_EQ(entry->rightTools.Count(), 2);
        }
        EXPECT_EQ(Entry(dialog, 3), nullptr);
        EXPECT_EQ(dialog.ListPage().Pane()->MarkedEntry(CSettingsListDlg::kMarkTool),
                  Entry(dialog, 0));

        ChooseTab(tab, 1);
        EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
        EXPECT_FALSE(IsWindowVisible(list));
        EXPECT_TRUE(IsWindowVisible(common));
        ChooseTab(tab, 0);
        EXPECT_TRUE(IsWindowVisible(list));
        EXPECT_FALSE(IsWindowVisible(common));
        PressButton(window, IDCANCEL);
    });
    EXPECT_TRUE(shown);
}

TEST_F(SettingsDlg, OkSwitchesToTheMarkedEffectOnlyWhenItChanged) {
    struct Case {
        const char* name;
        bool runningBefore;
        std::vector<int> marks; // entries clicked on their mark, in order
        int button;
        int activeAfter;
        bool runningAfter;
        int stopsAndStarts;
        const char* current;
    };
    const Case cases[] = {
        {"lights, OK", true, {1}, IDOK, 1, true, 1, "Glimra"},
        {"lights, Cancel", true, {1}, IDCANCEL, 0, true, 0, "absent"},
        {"the running fire, OK", true, {0}, IDOK, 0, true, 0, "Embra"},
        {"lights, then water, OK", true, {1, 2}, IDOK, 2, true, 1, "Ripla"},
        {"lights, then back to the fire, OK", true, {1, 0}, IDOK, 0, true, 0, "Embra"},
        {"water while stopped, OK", false, {2}, IDOK, 2, true, 1, "Ripla"},
        {"nothing while stopped, OK", false, {}, IDOK, 0, false, 0, "Embra"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteTestKey(key);
        app.StopEffect();
        app.SetActiveSet(&app.fire);
        if (c.runningBefore)
            app.StartEffect();
        ASSERT_EQ(app.running, c.runningBefore);
        app.stops = app.starts = 0;
        Open([&](HWND window, CSettingsDlg& dialog) {
            for (int index : c.marks)
                ClickTool(dialog, index, true);
            EXPECT_EQ(app.ActiveSet(), &app.fire); // nothing happens before OK
            EXPECT_EQ(app.stops + app.starts, 0);
            PressButton(window, c.button);
        });
        EXPECT_EQ(app.ActiveSet(), app.sets[c.activeAfter]);
        EXPECT_EQ(app.running, c.runningAfter);
        EXPECT_EQ(app.stops, c.stopsAndStarts);
        EXPECT_EQ(app.starts, c.stopsAndStarts);
        EXPECT_EQ(Saved("Sets", "current"), c.current);
    }
}

// Moved to a monitor of another DPI, the list's rows, tool cells and tool pictures are
// scaled to it (the page's pane lies two windows below the settings window), and back.
TEST_F(SettingsDlg, TheListFollowsADpiChange) {
    Open([&](HWND window, CSettingsDlg& dialog) {
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        for (int to : {2 * dpi, dpi}) {
            SCOPED_TRACE(to);
            SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(to, to), 0);
            for (int index = 0; index < 3; ++index) {
                CNavPaneItem* entry = Entry(dialog, index);
                ASSERT_NE(entry, nullptr);
                EXPECT_EQ(entry->RowHeight(), ScaleToDpi(CSettingsListDlg::kEntryHeight, to));
                EXPECT_EQ(entry->CellSize(), entry->RowHeight());
                ASSERT_EQ(entry->leftTools.Count(), 1);
                EXPECT_EQ(entry->leftTools.GetAt(0)->dpi, to);
            }
        }
    });
}

TEST_F(SettingsDlg, ClickingAMarkLeavesExactlyOneEffectMarked) {
    Open([&](HWND window, CSettingsDlg& dialog) {
        CNavPaneWnd* pane = dialog.ListPage().Pane();
        const int clicks[] = {2, 2, 0, 1};
        for (int index : clicks) {
            ClickTool(dialog, index, true);
            EXPECT_EQ(pane->MarkedEntry(CSettingsListDlg::kMarkTool), Entry(dialog, index));
            int marks = 0;
            for (int each = 0; each < 3; ++each)
                marks += CNavPaneWnd::FindTool(Entry(dialog, each), CSettingsListDlg::kMarkTool)
                             ->Has(CNavPaneItemTool::kChecked);
            EXPECT_EQ(marks, 1);
        }
        EXPECT_TRUE(pane->Selection().Count() == 0); // entries carry tools, no selection
        PressButton(window, IDCANCEL);
    });
}

TEST_F(SettingsDlg, TheSettingsToolOpensThatEffectsDialogOverTheSettingsWindow) {
    const char* const titles[] = {"Embra settings", "Northern Lights settings", "Ripla settings"};
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(titles[index]);
        std::string opened;
        HWND openedOwner = nullptr;
        HWND settings = nullptr;
        Open([&](HWND window, CSettingsDlg& dialog) {
            settings = window;
            RunModalScript([&] { ClickTool(dialog, index, false); },
                           [&](HWND effect) {
                               opened = WindowText(effect);
                               openedOwner = GetWindow(effect, GW_OWNER);
                               PressButton(effect, IDCANCEL);
                           });
            EXPECT_TRUE(IsWindowEnabled(window));
            PressButton(window, IDCANCEL);
        });
        EXPECT_EQ(opened, titles[index]);
        // A dialog's owner is a top-level window: the page's is the settings window.
        EXPECT_EQ(openedOwner, settings);
    }
}

// A keyboard user in the list: arrows move the focused row, Space marks it, the context
// menu key opens its effect's dialog, Tab leaves the list, Enter is OK and Esc Cancel.
TEST_F(SettingsDlg, TheListWorksByKeyboardAlone) {
    app.StopEffect();
    app.SetActiveSet(&app.fire);
    app.StartEffect();
    std::string opened;
    Open([&](HWND window, CSettingsDlg& dialog) {
        CNavPaneWnd* pane = dialog.ListPage().Pane();
        SetFocus(pane->Handle());
        EXPECT_EQ(pane->FocusEntry(), Entry(dialog, 0)); // the focus shows on a row at once
        PressDialogKey(window, VK_DOWN);
        PressDialogKey(window, VK_DOWN);
        EXPECT_EQ(pane->FocusEntry(), Entry(dialog, 2));
        PressDialogKey(window, VK_SPACE);
        EXPECT_EQ(pane->MarkedEntry(CSettingsListDlg::kMarkTool), Entry(dialog, 2));

        RunModalScript([&] { PressDialogKey(window, VK_APPS); },
                       [&](HWND effect) {
                           opened = WindowText(effect);
                           PressDialogKey(effect, VK_ESCAPE);
                       });

        SetFocus(pane->Handle());
        PressDialogKey(window, VK_TAB);
        EXPECT_NE(GetFocus(), pane->Handle());
        EXPECT_TRUE(IsChild(window, GetFocus()));
        SetFocus(pane->Handle());
        PressDialogKey(window, VK_RETURN);
    });
    EXPECT_EQ(opened, "Ripla settings");
    EXPECT_EQ(app.ActiveSet(), &app.water); // Enter was OK
    EXPECT_EQ(Saved("Sets", "current"), "Ripla");

    Open([&](HWND window, CSettingsDlg& dialog) {
        CNavPaneWnd* pane = dialog.ListPage().Pane();
        SetFocus(pane->Handle());
        PressDialogKey(window, VK_UP); // from the first row round to the last
        PressDialogKey(window, VK_UP);
        RunModalScript(
            [&] {
                const CShiftHeld shift;
                SendMessageA(pane->Handle(), WM_SYSKEYDOWN, VK_F10, 1);
            },
            [&](HWND effect) {
                opened = WindowText(effect);
                PressDialogKey(effect, VK_ESCAPE);
            });
        EXPECT_EQ(opened, "Northern Lights settings"); // Shift+F10 opens it too
        PressDialogKey(window, VK_SPACE);
        PressDialogKey(window, VK_ESCAPE);
        EXPECT_FALSE(IsWindowVisible(window)); // Esc was Cancel
    });
    EXPECT_EQ(app.ActiveSet(), &app.water);
}

// Every check box of the options table shows its option, follows a click, and keeps it on
// OK, which applies and stores the options, while Cancel puts it back; the start-with-Windows
// box shows the start-up shortcut as it is at opening.
TEST_F(SettingsDlg, TheCommonPagesCheckBoxesKeepTheirOptionsOnOkOnly) {
    struct Case {
        const char* name;
        int button;
        bool shortcutBefore; // the flag says the opposite until the page opens
    };
    const Case cases[] = {
        {"OK", IDOK, true},
        {"Cancel", IDCANCEL, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        app.shortcut.Apply(c.shortcutBefore);
        app.startWithWindows.Set(!c.shortcutBefore);
        std::vector<int> before;
        Open([&](HWND window, CSettingsDlg& dialog) {
            HWND common = dialog.Page(CSettingsDlg::kCommonTab);
            ChooseTab(GetDlgItem(window, CSettingsDlg::kTab), 1);
            EXPECT_EQ(IsDlgButtonChecked(common, IDC_START_WITH_WINDOWS),
                      c.shortcutBefore ? BST_CHECKED : BST_UNCHECKED);
            for (const OptionRow& row : app.options.Rows()) {
                if (row.kind != kCheckBox)
                    continue;
                const int value = CheckBoxValue(row);
                before.push_back(value);
                EXPECT_EQ(IsDlgButtonChecked(common, row.control),
                          value != 0 ? BST_CHECKED : BST_UNCHECKED)
                    << row.control;
                ClickButton(common, row.control);
            }
            PressButton(window, c.button);
        });
        std::size_t i = 0;
        for (const OptionRow& row : app.options.Rows()) {
            if (row.kind != kCheckBox)
                continue;
            const int value = CheckBoxValue(row);
            EXPECT_EQ(value != 0, (before[i++] != 0) != (c.button == IDOK)) << row.control;
        }
        EXPECT_EQ(app.applied, c.button == IDOK ? 1 : 0);
        EXPECT_EQ(Saved("Options\\Common", "PauseOnBattery"), c.button == IDOK ? "1" : "absent");
        EXPECT_EQ(app.startWithWindows.BindingCount(), 0);
        app.applied = 0;
        DeleteTestKey(key);
    }
}

// The rows of the "Programs" page's list as "<program>: <action>".
std::vector<std::string> ProgramRows(HWND list) {
    std::vector<std::string> rows;
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::string texts;
        for (int column = 0; column < 2; ++column) {
            char text[64] = {};
            LVITEMA item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
            texts += column == 0 ? std::string(text) + ": " : std::string(text);
        }
        rows.push_back(texts);
    }
    return rows;
}

// A keyboard user on the "Programs" page: the arrow keys choose the tab, Tab reaches the
// list and the buttons, "Add..." offers the programs with a window, the action list takes
// the arrow keys, Delete removes a row; Enter is OK, which stores the rules.
TEST_F(SettingsDlg, TheProgramsPageWorksByKeyboardAlone) {
    const auto add = [](HWND window, int downs) {
        RunModalScript([&] { PressDialogKey(window, VK_SPACE); },
                       [&](HWND dialog) {
                           EXPECT_EQ(WindowText(dialog), "Add a program");
                           for (int i = 0; i < downs; ++i)
                               PressDialogKey(dialog, VK_DOWN);
                           PressDialogKey(dialog, VK_RETURN);
                       });
    };
    Open([&](HWND window, CSettingsDlg& dialog) {
        HWND tab = GetDlgItem(window, CSettingsDlg::kTab);
        HWND page = dialog.Page(CSettingsDlg::kProgramsTab);
        HWND list = GetDlgItem(page, CSettingsProgramsDlg::kList);
        SetFocus(tab);
        PressDialogKey(window, VK_RIGHT);
        PressDialogKey(window, VK_RIGHT);
        ASSERT_TRUE(IsWindowVisible(page));
        // The columns share the list's width at any DPI.
        RECT client{};
        GetClientRect(list, &client);
        const auto width = [list](int column) {
            return static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
        };
        EXPECT_NEAR(width(0) + width(1), client.right, client.right / 20 + 1);
        // Tab goes round the window's controls: the tabs, OK, Cancel and the page's.
        int presses = 0;
        while (GetFocus() != list && presses++ < 4)
            PressDialogKey(window, VK_TAB);
        EXPECT_EQ(GetFocus(), list) << "Tab reaches the list";
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_REMOVE_PROGRAM))) << "nothing chosen";
        PressDialogKey(window, VK_TAB); // the action and "Remove" wait for a row: "Add..."
        EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_ADD_PROGRAM));
        add(window, 1);
        EXPECT_EQ(ProgramRows(list), std::vector<std::string>({"Zoom.exe: Pause while in front"}));
        EXPECT_EQ(GetFocus(), list);
        PressDialogKey(window, VK_TAB);
        EXPECT_EQ(GetFocus(), GetDlgItem(page, CSettingsProgramsDlg::kAction));
        PressDialogKey(window, VK_DOWN);
        EXPECT_EQ(ProgramRows(list), std::vector<std::string>({"Zoom.exe: Pause while running"}));
        PressDialogKey(window, VK_TAB);
        add(window, 0);
        EXPECT_EQ(ProgramRows(list), std::vector<std::string>({"obs64.exe: Pause while in front",
                                                               "Zoom.exe: Pause while running"}));
        PressDialogKey(window, VK_DELETE);
        EXPECT_EQ(ProgramRows(list), std::vector<std::string>({"Zoom.exe: Pause while running"}));
        PressDialogKey(window, VK_RETURN);
    });
    EXPECT_EQ(Saved("Options\\Common\\Programs", "Zoom.exe"), "running");
    EXPECT_EQ(Saved("Options\\Common\\Programs", "obs64.exe"), "absent");
    EXPECT_EQ(app.applied, 1);
}

// The first static text of a window: a message box's message.
std::string StaticText(HWND window) {
    HWND child = FindWindowExA(window, nullptr, "Static", nullptr);
    while (child && GetWindowTextLengthA(child) == 0)
        child = FindWindowExA(window, child, "Static", nullptr);
    return child ? WindowText(child) : "";
}

constexpr int kCtrlAlt = HOTKEYF_CONTROL | HOTKEYF_ALT;

int ShownHotKey(HWND common) {
    return static_cast<int>(SendDlgItemMessageA(common, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0));
}

TEST_F(SettingsDlg, TheHotKeyIsTypedIntoItsControlOkRegistersItAndCancelPutsItBack) {
    struct Case {
        const char* name;
        int before;         // stored and registered at opening
        UINT key;           // F, or Backspace or Delete, which clear the control
        bool withModifiers; // with Ctrl and Alt held (else alone)
        int button;
        int after; // the value afterwards, registered
    };
    const int ctrlAltF = MAKEWORD('F', kCtrlAlt);
    const int ctrlAltG = MAKEWORD('G', kCtrlAlt);
    const Case cases[] = {
        {"typed, OK", 0, 'F', true, IDOK, ctrlAltF},
        {"typed, Cancel", 0, 'F', true, IDCANCEL, 0},
        {"a plain key takes Ctrl+Alt", ctrlAltG, 'F', false, IDOK, ctrlAltF},
        {"cleared, OK: no hotkey", ctrlAltG, VK_BACK, false, IDOK, 0},
        {"cleared by Delete, OK", ctrlAltG, VK_DELETE, false, IDOK, 0},
        {"cleared, Cancel", ctrlAltG, VK_BACK, false, IDCANCEL, ctrlAltG},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        app.options.hotKey.Set(c.before);
        ASSERT_TRUE(app.hotKey.Activate(owner));
        Open([&](HWND window, CSettingsDlg& dialog) {
            HWND common = dialog.Page(CSettingsDlg::kCommonTab);
            ChooseTab(GetDlgItem(window, CSettingsDlg::kTab), 1);
            EXPECT_EQ(ShownHotKey(common), c.before);
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(common, IDC_HOTKEY_NOTE)));
            HWND control = GetDlgItem(common, IDC_HOTKEY);
            if (c.withModifiers)
                TypeHotKey(control, {VK_CONTROL, VK_MENU}, c.key);
            else
                TypeHotKey(control, {}, c.key);
            EXPECT_EQ(ShownHotKey(common), c.key == 'F' ? ctrlAltF : 0);
            // Nothing is registered before OK.
            EXPECT_FALSE(HotKeyHeld(MOD_CONTROL | MOD_ALT, 'F'));
            EXPECT_EQ(HotKeyHeld(MOD_CONTROL | MOD_ALT, 'G'), c.before != 0);
            PressButton(window, c.button);
        });
        EXPECT_EQ(*app.options.hotKey.Get(), c.after);
        EXPECT_EQ(HotKeyHeld(MOD_CONTROL | MOD_ALT, 'F'), c.after == ctrlAltF);
        EXPECT_EQ(HotKeyHeld(MOD_CONTROL | MOD_ALT, 'G'), c.after == ctrlAltG);
        EXPECT_EQ(Saved("Options\\Common", "HotKey"),
                  c.button == IDOK ? std::to_string(c.after) : "absent");
        DeleteTestKey(key);
    }
}

TEST_F(SettingsDlg, AHotKeyAnotherProgramHoldsIsRefusedOnOkWithABoxNamingIt) {
    const CHeldHotKey other(MOD_CONTROL | MOD_ALT, 'J');
    app.options.hotKey.Set(MAKEWORD('K', kCtrlAlt));
    ASSERT_TRUE(app.hotKey.Activate(owner));
    bool closed = false;
    Open([&](HWND window, CSettingsDlg& dialog) {
        HWND tab = GetDlgItem(window, CSettingsDlg::kTab);
        HWND common = dialog.Page(CSettingsDlg::kCommonTab);
        HWND control = GetDlgItem(common, IDC_HOTKEY);
        TypeHotKey(control, {VK_CONTROL, VK_MENU}, 'J');
        std::string box;
        RunModalScript([&] { PressButton(window, IDOK); },
                       [&](HWND shown) { box = WindowText(shown) + ": " + StaticText(shown); });
        EXPECT_EQ(box, "Settings: The hotkey Ctrl+Alt+J is used by another program. Choose "
                       "another one.");
        // The window stays open on the page, the control focused, the old hotkey working.
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), CSettingsDlg::kCommonTab);
        EXPECT_TRUE(IsWindowVisible(common));
        EXPECT_EQ(GetFocus(), control);
        EXPECT_TRUE(HotKeyHeld(MOD_CONTROL | MOD_ALT, 'K'));
        EXPECT_EQ(Saved("Options\\Common", "HotKey"), "absent");
        TypeHotKey(control, {VK_CONTROL, VK_MENU}, 'L');
        PressButton(window, IDOK);
        closed = !IsWindowVisible(window);
    });
    EXPECT_TRUE(closed) << "another choice is taken";
    EXPECT_TRUE(HotKeyHeld(MOD_CONTROL | MOD_ALT, 'L'));
    EXPECT_FALSE(HotKeyHeld(MOD_CONTROL | MOD_ALT, 'K'));
    EXPECT_EQ(Saved("Options\\Common", "HotKey"), std::to_string(MAKEWORD('L', kCtrlAlt)));
}

TEST_F(SettingsDlg, AStoredHotKeyHeldElsewhereShowsTheNoteAndOkKeepsIt) {
    const CHeldHotKey other(MOD_CONTROL | MOD_ALT, 'J');
    app.options.hotKey.Set(MAKEWORD('J', kCtrlAlt));
    ASSERT_FALSE(app.hotKey.Activate(owner));
    Open([&](HWND window, CSettingsDlg& dialog) {
        HWND common = dialog.Page(CSettingsDlg::kCommonTab);
        EXPECT_EQ(ShownHotKey(common), MAKEWORD('J', kCtrlAlt));
        ChooseTab(GetDlgItem(window, CSettingsDlg::kTab), 1);
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(common, IDC_HOTKEY_NOTE)));
        EXPECT_EQ(ControlText(common, IDC_HOTKEY_NOTE), "Used by another program: not active.");
        PressButton(window, IDOK); // a box here would wait for a user: the test times out
    });
    EXPECT_EQ(Saved("Options\\Common", "HotKey"), std::to_string(MAKEWORD('J', kCtrlAlt)));
    EXPECT_TRUE(app.hotKey.Taken());
}

TEST_F(SettingsDlg, ResizingKeepsTheButtonsAtTheCornerAndStretchesTabAndPages) {
    Open([&](HWND window, CSettingsDlg& dialog) {
        HWND tab = dialog.TabControl();
        HWND list = dialog.Page(CSettingsDlg::kListTab);
        HWND common = dialog.Page(CSettingsDlg::kCommonTab);
        HWND pane = dialog.ListPage().Pane()->Handle();
        HWND ok = GetDlgItem(window, IDOK);
        HWND cancel = GetDlgItem(window, IDCANCEL);
        const std::vector<HWND> windows = {tab, list, common, pane, ok, cancel};
        std::vector<RECT> before;
        for (HWND each : windows)
            before.push_back(RectIn(each, window));
        // The pages lie on the tab's display area, below the tabs.
        EXPECT_GT(before[1].top, before[0].top);
        EXPECT_LT(before[1].bottom, before[0].bottom);
        EXPECT_EQ(before[2].top, before[1].top);

        RECT frame{};
        GetWindowRect(window, &frame);
        SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + 120,
                     frame.bottom - frame.top + 90, SWP_NOMOVE | SWP_NOZORDER);
        std::vector<RECT> after;
        for (HWND each : windows)
            after.push_back(RectIn(each, window));
        for (int index : {4, 5}) { // OK and Cancel move with the corner
            EXPECT_EQ(after[index].left, before[index].left + 120);
            EXPECT_EQ(after[index].top, before[index].top + 90);
            EXPECT_EQ(after[index].right - after[index].left,
                      before[index].right - before[index].left);
        }
        for (int index : {0, 1, 2, 3}) { // the tab, both pages and the pane stretch
            SCOPED_TRACE(index);
            EXPECT_EQ(after[index].left, before[index].left);
            EXPECT_EQ(after[index].top, before[index].top);
            EXPECT_EQ(after[index].right, before[index].right + 120);
            EXPECT_EQ(after[index].bottom, before[index].bottom + 90);
        }
        PressButton(window, IDOK);
    });
}

// The settings window's pane, counting its handlers on the stack. Its destructor notes a
// deletion while one of them runs and poisons the count, so that a handler going on
// with the freed object is seen as well.
class CCountingPane : public CNavPaneWnd {
public:
    static constexpr int kPoison = -1000;
    CCountingPane() { ++alive; }
    ~CCountingPane() override {
        if (depth != 0)
            deletedInHandler = true;
        depth = kPoison;
        --alive;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        ++depth;
        const LRESULT result = CNavPaneWnd::WindowProc(message, wParam, lParam);
        if (--depth < 0)
            deletedInHandler = true;
        return result;
    }

    static inline int alive = 0;
    static inline bool deletedInHandler = false;

private:
    int depth = 0;
};

// The pane's class makes counting panes for the life of a test.
struct CountingPaneScope {
    CountingPaneScope() {
        RegisterWindowFactory(
            CNavPaneWnd::kClassName,
            [](HWND window) -> CWnd* {
                auto* pane = new CCountingPane;
                pane->Attach(window);
                return pane;
            },
            [](CWnd* pane) { delete pane; });
    }
    ~CountingPaneScope() { UnregisterWindowFactory(CNavPaneWnd::kClassName); }
};

TEST_F(SettingsDlg, TheOwnerDestroyedFromAnEffectDialogLeavesThePaneUntilItsClickReturns) {
    CountingPaneScope counting;
    bool effectOpened = false;
    Open([&](HWND, CSettingsDlg& dialog) {
        ASSERT_EQ(CCountingPane::alive, 1);
        // The gear's click runs the effect dialog inside the pane's mouse-up handler; the
        // main window goes meanwhile (Quit, the session's end, WM_CLOSE from outside).
        RunModalScript([&] { ClickTool(dialog, 0, false); },
                       [&](HWND) {
                           effectOpened = true;
                           DestroyWindow(owner);
                       });
    });
    owner = nullptr;
    EXPECT_TRUE(effectOpened);
    EXPECT_FALSE(CCountingPane::deletedInHandler);
    EXPECT_EQ(CCountingPane::alive, 0) << "deleted once its handler returned";
}

} // namespace
