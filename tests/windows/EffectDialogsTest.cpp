#include "effects/engine/CRenderState.h"
#include "effects/fire/CSetEmbra.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CSetRipla.h"
#include "params/CSettingsStore.h"
#include "resources/resource.h"
#include "settings/SettingsDialogs.h"

#include "windows/DialogDriver.h"
#include "windows/TestPlaces.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bounded = CEdges<CParam<int>, int>;

// One row of an effect dialog as the user sees it.
struct Row {
    const char* name;
    Bounded* param;
    int editId;
    int spinId;
    int sliderId;
    int min;
    int max;
};

// The three effects on a headless desktop with their settings under the test's own key,
// their dialogs installed, and a window to open the dialogs over.
class EffectDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteTestKey(key);
        InstallSettingsDialog(fire);
        InstallSettingsDialog(lights);
        InstallSettingsDialog(water);
        parent = CreateWindowExA(0, "STATIC", "Settings", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(parent);
    }
    void TearDown() override {
        DestroyWindow(parent);
        DeleteTestKey(key);
    }

    // Opens the set's dialog through its ShowSettings and runs `script` in it.
    void Show(CSet& set, std::function<void(HWND)> script) {
        RunModalScript([&] { set.ShowSettings(parent); }, std::move(script));
    }
    std::string Saved(const char* setKey, const char* name) {
        tstr text = "absent";
        store.ReadString(tstr("Sets\\") + setKey, name, text);
        return text.str();
    }
    static void ExpectRowShows(HWND dialog, const Row& row, int value) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(*row.param->Get(), value);
        EXPECT_EQ(ControlText(dialog, row.editId), std::to_string(value));
        EXPECT_EQ(SliderPos(dialog, row.sliderId), value);
    }
    static void ExpectRowsAsAtOpening(HWND dialog, const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            ExpectRowShows(dialog, row, *row.param->Get());
            EXPECT_EQ(SliderRange(dialog, row.sliderId), std::make_pair(row.min, row.max));
            EXPECT_EQ(SpinRange(dialog, row.spinId), std::make_pair(row.min, row.max));
        }
    }

    const tstr key = TestKeyPath();
    CSettingsStore store{true, "EmbraTests", CurrentTestName().c_str()};
    CHeadlessDesktop desktop{1024, 768};
    CRenderState renderState{&desktop};
    CSetEmbra fire{&store, &renderState};
    CSetGlimra lights{&store, &renderState};
    CSetRipla water{&store, &renderState};
    HWND parent = nullptr;

    const std::vector<Row> fireRows = {
        {"vis", &fire.vis, IDC_OPAQUE_EDIT, IDC_OPAQUE_SPIN, IDC_OPAQUE_SLIDER, 10, 100},
        {"items", &fire.items, IDC_ITEMS_EDIT, IDC_ITEMS_SPIN, IDC_ITEMS_SLIDER, 30, 100},
    };
    const std::vector<Row> lightsRows = {
        {"vis", &lights.vis, IDC_OPAQUE_EDIT, IDC_OPAQUE_SPIN, IDC_OPAQUE_SLIDER, 10, 100},
        {"items", &lights.items, IDC_ITEMS_EDIT, IDC_ITEMS_SPIN, IDC_ITEMS_SLIDER, 30, 100},
        {"clr_change", &lights.clrChange, IDC_COLOR_CHANGE_EDIT, IDC_COLOR_CHANGE_SPIN,
         IDC_COLOR_CHANGE_SLIDER, 0, 5},
        {"flm_size", &lights.flmSize, IDC_SIZE_EDIT, IDC_SIZE_SPIN, IDC_SIZE_SLIDER, 50, 400},
        {"flm_duration", &lights.flmDuration, IDC_DURATION_EDIT, IDC_DURATION_SPIN,
         IDC_DURATION_SLIDER, 100, 400},
    };
    const std::vector<Row> waterRows = {
        {"vis", &water.vis, IDC_OPAQUE_EDIT, IDC_OPAQUE_SPIN, IDC_OPAQUE_SLIDER, 10, 100},
        {"items", &water.items, IDC_ITEMS_EDIT, IDC_ITEMS_SPIN, IDC_ITEMS_SLIDER, 30, 100},
        {"wave_size", &water.waveSize, IDC_SIZE_EDIT, IDC_SIZE_SPIN, IDC_SIZE_SLIDER, 1, 40},
        {"wave_duration", &water.waveDuration, IDC_DURATION_EDIT, IDC_DURATION_SPIN,
         IDC_DURATION_SLIDER, 100, 200},
    };
};

std::string WindowTitle(HWND window) {
    char text[128] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

TEST_F(EffectDialogs, TheFireOpensOverItsParentWithTheDefaults) {
    bool shown = false;
    Show(fire, [&](HWND dialog) {
        shown = true;
        EXPECT_EQ(WindowTitle(dialog), "Embra settings");
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), parent);
        EXPECT_EQ(ControlText(dialog, IDC_OPAQUE_EDIT), "50");
        EXPECT_EQ(ControlText(dialog, IDC_ITEMS_EDIT), "100");
        ExpectRowsAsAtOpening(dialog, fireRows);
        PressButton(dialog, IDCANCEL);
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(fire.vis.BindingCount(), 0);
}

// What a keyboard user does to every row: a number within the range is followed as it is
// typed, an emptied box becomes the minimum on Tab, a number beyond the maximum becomes the
// maximum when the focus moves on, and the arrow keys in the box step the value.
TEST_F(EffectDialogs, EveryRowOfTheThreeDialogsTakesTypingTabAndArrowKeys) {
    const std::pair<CSet*, const std::vector<Row>*> dialogs[] = {
        {&fire, &fireRows}, {&lights, &lightsRows}, {&water, &waterRows}};
    for (const auto& [set, rows] : dialogs) {
        Show(*set, [&](HWND dialog) {
            for (const Row& row : *rows) {
                SCOPED_TRACE(row.name);
                const int middle = (row.min + row.max) / 2;
                TypeInto(dialog, row.editId, std::to_string(middle));
                ExpectRowShows(dialog, row, middle);

                TypeInto(dialog, row.editId, "");
                EXPECT_EQ(*row.param->Get(), middle); // left as typed until the commit
                PressDialogKey(dialog, VK_TAB);
                ExpectRowShows(dialog, row, row.min);

                TypeInto(dialog, row.editId, std::to_string(row.max * 10 + 9));
                SetFocus(GetDlgItem(dialog, row.sliderId));
                ExpectRowShows(dialog, row, row.max);

                SetFocus(GetDlgItem(dialog, row.editId));
                PressDialogKey(dialog, VK_DOWN);
                ExpectRowShows(dialog, row, row.max - 1);
                PressDialogKey(dialog, VK_UP);
                ExpectRowShows(dialog, row, row.max);
            }
            PressButton(dialog, IDCANCEL);
        });
    }
}

TEST_F(EffectDialogs, EnterInABoxCommitsTheTypedNumberAndSavesIt) {
    Show(fire, [&](HWND dialog) {
        TypeInto(dialog, IDC_ITEMS_EDIT, "7");
        PressDialogKey(dialog, VK_RETURN);
    });
    EXPECT_EQ(*fire.items.Get(), 30);
    EXPECT_EQ(Saved("Embra", "items"), "30");
}

TEST_F(EffectDialogs, DraggingTheFireSliderReachesTheEffectAtOnceAndOkSaves) {
    Show(fire, [&](HWND dialog) {
        ASSERT_TRUE(DragSliderTo(dialog, IDC_OPAQUE_SLIDER, 70));
        EXPECT_EQ(ControlText(dialog, IDC_OPAQUE_EDIT), "70"); // while dragging
        EXPECT_EQ(*fire.vis.Get(), 70);                        // the effect's opacity
        ReleaseSlider(dialog, IDC_OPAQUE_SLIDER);
        EXPECT_EQ(Saved("Embra", "vis"), "absent"); // nothing saved before OK
        PressButton(dialog, IDOK);
    });
    EXPECT_EQ(*fire.vis.Get(), 70);
    EXPECT_EQ(Saved("Embra", "vis"), "70");
    EXPECT_EQ(Saved("Embra", "items"), "100");
    EXPECT_EQ(fire.vis.BindingCount(), 0);
    fire.vis.Set(20); // the closed dialog is no longer told
    EXPECT_EQ(Saved("Embra", "vis"), "70");
}

TEST_F(EffectDialogs, CancelInTheFireDialogRestoresShowsAndSavesNothing) {
    Show(fire, [&](HWND dialog) {
        TypeInto(dialog, IDC_OPAQUE_EDIT, "250");
        PressSliderKey(dialog, IDC_ITEMS_SLIDER, VK_LEFT);
        ClickSpin(dialog, IDC_OPAQUE_SPIN, false);
        EXPECT_EQ(*fire.vis.Get(), 99);
        EXPECT_EQ(*fire.items.Get(), 99);
        PressButton(dialog, IDCANCEL);
        ExpectRowShows(dialog, fireRows[0], 50); // before the dialog closes
        ExpectRowShows(dialog, fireRows[1], 100);
    });
    EXPECT_EQ(*fire.vis.Get(), 50);
    EXPECT_EQ(*fire.items.Get(), 100);
    EXPECT_EQ(Saved("Embra", "vis"), "absent");
}

TEST_F(EffectDialogs, TheCloseBoxOfTheFireDialogCancels) {
    Show(fire, [&](HWND dialog) {
        TypeInto(dialog, IDC_ITEMS_EDIT, "45");
        EXPECT_EQ(*fire.items.Get(), 45);
        SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(*fire.items.Get(), 100);
    EXPECT_EQ(Saved("Embra", "items"), "absent");
}

TEST_F(EffectDialogs, TheNorthernLightsRowsAndTheColourChangeLimits) {
    Show(lights, [&](HWND dialog) {
        EXPECT_EQ(WindowTitle(dialog), "Northern Lights settings");
        ExpectRowsAsAtOpening(dialog, lightsRows);
        const Row& colour = lightsRows[2];
        ExpectRowShows(dialog, colour, 0);
        ClickSpin(dialog, colour.spinId, false);
        ExpectRowShows(dialog, colour, 0);
        TypeInto(dialog, colour.editId, "9");
        PressDialogKey(dialog, VK_TAB);
        ExpectRowShows(dialog, colour, 5);
        ClickSpin(dialog, colour.spinId, true);
        ExpectRowShows(dialog, colour, 5);
        ClickSpin(dialog, colour.spinId, false);
        ExpectRowShows(dialog, colour, 4);
        // The curtain reads the size through its mirrored variable.
        TypeInto(dialog, IDC_SIZE_EDIT, "3");
        PressDialogKey(dialog, VK_TAB);
        EXPECT_EQ(static_cast<int32_t>(lights.curtain.length), 50);
        PressButton(dialog, IDOK);
    });
    EXPECT_EQ(Saved("Glimra", "clr_change"), "4");
    EXPECT_EQ(Saved("Glimra", "flm_size"), "50");
}

TEST_F(EffectDialogs, TheWaterRowsAndTheWaveSizeMinimum) {
    Show(water, [&](HWND dialog) {
        EXPECT_EQ(WindowTitle(dialog), "Ripla settings");
        ExpectRowsAsAtOpening(dialog, waterRows);
        EXPECT_EQ(SliderRange(dialog, IDC_DURATION_SLIDER), std::make_pair(100, 200));
        TypeInto(dialog, IDC_SIZE_EDIT, "0");
        PressDialogKey(dialog, VK_TAB);
        ExpectRowShows(dialog, waterRows[2], 1);
        EXPECT_EQ(static_cast<int32_t>(water.wave.size), 1);
        PressButton(dialog, IDOK);
    });
    EXPECT_EQ(Saved("Ripla", "wave_size"), "1");
}

TEST_F(EffectDialogs, CancelInTheWaterDialogAfterMovingEverySliderRestoresAllFour) {
    std::vector<int> before;
    for (const Row& row : waterRows)
        before.push_back(*row.param->Get());
    Show(water, [&](HWND dialog) {
        for (const Row& row : waterRows) {
            SCOPED_TRACE(row.name);
            const int start = *row.param->Get();
            PressSliderKey(dialog, row.sliderId, start > row.min ? VK_LEFT : VK_RIGHT);
            EXPECT_NE(*row.param->Get(), start);
            EXPECT_EQ(ControlText(dialog, row.editId), std::to_string(*row.param->Get()));
        }
        PressButton(dialog, IDCANCEL);
    });
    for (std::size_t i = 0; i < waterRows.size(); ++i)
        EXPECT_EQ(*waterRows[i].param->Get(), before[i]) << waterRows[i].name;
    EXPECT_EQ(static_cast<int32_t>(water.wave.size), before[2]);
}

// Counts the windows this thread tries to create, and refuses them, so that a dialog shown
// by mistake cannot wait for a user.
int windowsCreated = 0;
LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        ++windowsCreated;
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(EffectDialogs, WithoutAnInstalledDialogShowSettingsDoesNothing) {
    CSetEmbra bare{&store, &renderState};
    windowsCreated = 0;
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    bare.ShowSettings(parent);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(windowsCreated, 0);
    EXPECT_EQ(bare.vis.BindingCount(), 0);
}

} // namespace
