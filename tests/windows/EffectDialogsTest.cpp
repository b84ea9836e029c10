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

// One effect's dialog: its set, its title and the key its values are saved under.
struct Dialog {
    CSet* set;
    const char* title;
    const char* key;
    std::vector<Row> rows;
};

// The three effects on a headless desktop with their settings under the test's own key,
// their dialogs installed, and a window to open the dialogs over. Typing, committing and
// clamping are the binding rig's (CParamDlgTest, CDialogParamTest); here each real dialog
// proves its rows are wired and that OK saves.
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

    const tstr key = TestKeyPath();
    CSettingsStore store{true, "EmbraTests", CurrentTestName().c_str()};
    CHeadlessDesktop desktop{1024, 768};
    CRenderState renderState{&desktop};
    CSetEmbra fire{&store, &renderState};
    CSetGlimra lights{&store, &renderState};
    CSetRipla water{&store, &renderState};
    HWND parent = nullptr;

    const std::vector<Row> waterRows = {
        {"vis", &water.vis, IDC_OPAQUE_EDIT, IDC_OPAQUE_SPIN, IDC_OPAQUE_SLIDER, 10, 100},
        {"items", &water.items, IDC_ITEMS_EDIT, IDC_ITEMS_SPIN, IDC_ITEMS_SLIDER, 30, 100},
        {"wave_size", &water.waveSize, IDC_SIZE_EDIT, IDC_SIZE_SPIN, IDC_SIZE_SLIDER, 1, 40},
        {"wave_duration", &water.waveDuration, IDC_DURATION_EDIT, IDC_DURATION_SPIN,
         IDC_DURATION_SLIDER, 100, 200},
    };
    const Dialog dialogs[3] = {
        {&fire,
         "Embra settings",
         "Embra",
         {
             {"vis", &fire.vis, IDC_OPAQUE_EDIT, IDC_OPAQUE_SPIN, IDC_OPAQUE_SLIDER, 10, 100},
             {"items", &fire.items, IDC_ITEMS_EDIT, IDC_ITEMS_SPIN, IDC_ITEMS_SLIDER, 30, 100},
         }},
        {&lights,
         "Northern Lights settings",
         "Glimra",
         {
             {"vis", &lights.vis, IDC_OPAQUE_EDIT, IDC_OPAQUE_SPIN, IDC_OPAQUE_SLIDER, 10, 100},
             {"items", &lights.items, IDC_ITEMS_EDIT, IDC_ITEMS_SPIN, IDC_ITEMS_SLIDER, 30, 100},
             {"clr_change", &lights.clrChange, IDC_COLOR_CHANGE_EDIT, IDC_COLOR_CHANGE_SPIN,
              IDC_COLOR_CHANGE_SLIDER, 0, 5},
             {"flm_size", &lights.flmSize, IDC_SIZE_EDIT, IDC_SIZE_SPIN, IDC_SIZE_SLIDER, 50, 400},
             {"flm_duration", &lights.flmDuration, IDC_DURATION_EDIT, IDC_DURATION_SPIN,
              IDC_DURATION_SLIDER, 100, 400},
         }},
        {&water, "Ripla settings", "Ripla", waterRows},
    };
};

// Each dialog opens over its parent with every row showing its parameter; each row's edit
// box, spin control and slider carry the parameter's range and each of them changes that
// parameter, and the dialog lets go of its parameters when it closes.
TEST_F(EffectDialogs, EachDialogsRowsAreWiredToTheirParameters) {
    for (const Dialog& d : dialogs) {
        SCOPED_TRACE(d.title);
        bool shown = false;
        Show(*d.set, [&](HWND dialog) {
            shown = true;
            EXPECT_EQ(WindowText(dialog), d.title);
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), parent);
            for (const Row& row : d.rows) {
                ExpectRowShows(dialog, row, *row.param->Get());
                EXPECT_EQ(SliderRange(dialog, row.sliderId), std::make_pair(row.min, row.max));
                EXPECT_EQ(SpinRange(dialog, row.spinId), std::make_pair(row.min, row.max));
            }
            for (const Row& row : d.rows) {
                const int middle = (row.min + row.max) / 2;
                const int typed = *row.param->Get() == middle ? middle + 1 : middle;
                TypeInto(dialog, row.editId, std::to_string(typed));
                ExpectRowShows(dialog, row, typed);
                ClickSpin(dialog, row.spinId, true);
                ExpectRowShows(dialog, row, typed + 1);
                PressSliderKey(dialog, row.sliderId, VK_LEFT);
                ExpectRowShows(dialog, row, typed);
            }
            PressButton(dialog, IDCANCEL);
        });
        EXPECT_TRUE(shown);
        for (const Row& row : d.rows)
            EXPECT_EQ(row.param->BindingCount(), 0) << row.name;
    }
}

// Changes are saved only by OK. OK, here Enter in a box, commits the typed number before the
// set saves every row: a number below the minimum leaves the parameter alone until the
// commit makes it the minimum.
TEST_F(EffectDialogs, OkCommitsTheTypedNumberAndSavesEveryRow) {
    for (const Dialog& d : dialogs) {
        SCOPED_TRACE(d.title);
        const Row& last = d.rows.back();
        ASSERT_NE(*last.param->Get(), last.min);
        Show(*d.set, [&](HWND dialog) {
            ClickSpin(dialog, d.rows.front().spinId, false);
            EXPECT_EQ(Saved(d.key, d.rows.front().name), "absent"); // nothing before OK
            TypeInto(dialog, last.editId, "7");
            PressDialogKey(dialog, VK_RETURN);
        });
        EXPECT_EQ(*last.param->Get(), last.min);
        for (const Row& row : d.rows)
            EXPECT_EQ(Saved(d.key, row.name), std::to_string(*row.param->Get())) << row.name;
    }
}

// Cancel puts back every row and the wave's mirrored size, and saves nothing.
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
    for (std::size_t i = 0; i < waterRows.size(); ++i) {
        EXPECT_EQ(*waterRows[i].param->Get(), before[i]) << waterRows[i].name;
        EXPECT_EQ(Saved("Ripla", waterRows[i].name), "absent") << waterRows[i].name;
    }
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
