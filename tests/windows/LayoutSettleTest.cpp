#include "StandInTaskbar.h"
#include "TestPlaces.h"
#include "app/CStartupShortcut.h"
#include "app/CWpp.h"
#include "settings/CSettingsCommonDlg.h"
#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>
#include <string>

// Monitors and taskbars that move while the effect runs: the application waits until the
// messages stop, then starts the effect afresh once; and the "every monitor" option.
namespace {

// The application over a test key, started later than its first run and hidden.
class CLayoutTestWpp : public CWpp {
public:
    CLayoutTestWpp() {
        title = "LayoutSettleTest";
        store.SetRoot(TestKeyPath());
    }
    ~CLayoutTestWpp() override { CStartupShortcut(title).Apply(false); }
    HWND Dialog() const { return mainDlg.Handle(); }
};

// Counts the overlay windows this thread creates: one for each start of the effect.
class COverlayCount {
public:
    COverlayCount() {
        count = 0;
        hook = SetWindowsHookExA(WH_CBT, Watch, nullptr, GetCurrentThreadId());
    }
    ~COverlayCount() { UnhookWindowsHookEx(hook); }
    COverlayCount(const COverlayCount&) = delete;
    COverlayCount& operator=(const COverlayCount&) = delete;

    static inline int count = 0;

private:
    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
        char name[32] = {};
        if (code == HCBT_CREATEWND &&
            GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof(name)) &&
            std::strcmp(name, "LV_EmbraDrawWnd") == 0)
            ++count;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    HHOOK hook;
};

// The stored text of an option, as every number is stored; "<none>" when it is missing.
std::string Stored(const char* name) {
    const std::string raw = RawValue(TestKeyPath() + "\\Options\\Common", name);
    return raw.compare(0, 2, "1:") == 0 ? std::string(raw.c_str() + 2) : raw;
}

// Answers the messages, timers among them, for `milliseconds`.
void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG message{};
    do {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.message != WM_QUIT)
                DispatchMessageA(&message);
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

class LayoutSettleTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteTestKey(TestKeyPath());
        WriteRawValue(TestKeyPath() + "\\Options\\Windows\\Main", "Handle", REG_SZ, "", 1);
        WriteRawValue(TestKeyPath() + "\\Options\\Common", "StartMinimize", REG_SZ, "2", 2);
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
        taskbar = CreateTaskbar(RECT{0, height - 30, width, height}, true);
    }
    void TearDown() override {
        PumpFor(0);
        DestroyWindow(taskbar);
        DeleteTestKey(TestKeyPath());
    }

public:
    int width = 0;
    int height = 0;
    HWND taskbar = nullptr; // along the bottom at each start
};

TEST_F(LayoutSettleTest, ABurstOfLayoutChangesRestartsTheEffectOnceAfterTheLastOne) {
    struct Case {
        const char* what;
        std::function<void(LayoutSettleTest&, HWND)> change;
        bool pausedForHour;
        int restarts;
    };
    const Case cases[] = {
        {"the display changed",
         [](LayoutSettleTest&, HWND dialog) {
             SendMessageA(dialog, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
         },
         false, 1},
        // Five messages 150 ms apart: a timer that the later ones did not put off would
        // come in between.
        {"the display and then the work area, again and again",
         [](LayoutSettleTest&, HWND dialog) {
             SendMessageA(dialog, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
             for (int i = 0; i < 4; ++i) {
                 PumpFor(150);
                 SendMessageA(dialog, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
             }
         },
         false, 1},
        {"the work area changed while paused for an hour",
         [](LayoutSettleTest&, HWND dialog) {
             SendMessageA(dialog, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
         },
         true, 1},
        {"the taskbar moved to the left edge",
         [](LayoutSettleTest& test, HWND dialog) {
             SetWindowPos(test.taskbar, nullptr, 0, 0, 60, test.height,
                          SWP_NOZORDER | SWP_NOACTIVATE);
             SendMessageA(dialog, WM_SETTINGCHANGE, 0, 0);
         },
         false, 1},
        {"the taskbar grew on its edge",
         [](LayoutSettleTest& test, HWND dialog) {
             SetWindowPos(test.taskbar, nullptr, 0, test.height - 60, test.width, 60,
                          SWP_NOZORDER | SWP_NOACTIVATE);
             SendMessageA(dialog, WM_SETTINGCHANGE, 0, 0);
         },
         false, 0},
        {"another setting changed",
         [](LayoutSettleTest&, HWND dialog) {
             SendMessageA(dialog, WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
         },
         false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetWindowPos(taskbar, nullptr, 0, height - 30, width, 30, SWP_NOZORDER | SWP_NOACTIVATE);
        CLayoutTestWpp app;
        ASSERT_TRUE(app.Init());
        ASSERT_TRUE(app.IsEffectRunning());
        if (c.pausedForHour)
            SendMessageA(app.Dialog(), WM_COMMAND, CMainDlg::kPauseHour, 0);
        const COverlayCount overlays;
        c.change(*this, app.Dialog());
        EXPECT_EQ(COverlayCount::count, 0) << "nothing before the layout settled";
        PumpFor(1000);
        EXPECT_EQ(COverlayCount::count, c.restarts);
        EXPECT_TRUE(app.IsEffectRunning());
        EXPECT_EQ(app.effects.control.Paused(), c.pausedForHour);
        EXPECT_TRUE(IsWindow(app.desktop.OverlayWindow()));
        app.Quit();
        PumpFor(0);
    }
}

TEST_F(LayoutSettleTest, EveryMonitorIsReadWithTheDefaultForMalformedValues) {
    const struct {
        const char* stored;
        int read;
    } cases[] = {{nullptr, 1}, {"0", 0}, {"1", 1}, {"2", 1}, {"", 1}, {"no", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "none");
        if (c.stored)
            WriteRawValue(TestKeyPath() + "\\Options\\Common", "EveryMonitor", REG_SZ, c.stored,
                          static_cast<DWORD>(std::strlen(c.stored) + 1));
        CLayoutTestWpp app;
        ASSERT_TRUE(app.Init());
        EXPECT_EQ(*app.everyMonitor.Get(), c.read);
        app.Quit();
        EXPECT_EQ(Stored("EveryMonitor"), std::to_string(c.read)) << "stored as decimal text";
        PumpFor(0);
    }
}

// The option unticked in the settings window restarts the running effect on OK only.
TEST_F(LayoutSettleTest, EveryMonitorChangedInTheSettingsRestartsTheEffectOnOk) {
    WriteRawValue(TestKeyPath() + "\\Options\\Common", "StartMinimize", REG_SZ, "0", 2);
    for (const int button : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
        CLayoutTestWpp app;
        ASSERT_TRUE(app.Init());
        const COverlayCount overlays;
        EXPECT_TRUE(ClickSettingsBox(app.Dialog(), CMainDlg::kSettings,
                                     CSettingsCommonDlg::kEveryMonitor, button));
        EXPECT_EQ(*app.everyMonitor.Get(), button == IDOK ? 0 : 1);
        EXPECT_EQ(COverlayCount::count, button == IDOK ? 1 : 0);
        EXPECT_TRUE(app.IsEffectRunning());
        EXPECT_EQ(app.Monitors().size(), 1u);
        app.Quit();
        PumpFor(0);
    }
    EXPECT_EQ(Stored("EveryMonitor"), "0");
}

} // namespace
