#include "AppRig.h"
#include "AppTestStack.h"
#include "HotKeyProbe.h"
#include "StandInTaskbar.h"
#include "TestPlaces.h"
#include "app/CWppSettingsLink.h"
#include "app/RemoteMessages.h"
#include "effects/fire/CSetEmbra.h"
#include "resources/resource.h"
#include "ui/PlacementRecord.h"
#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>

namespace {

// A visible window of the taskbar's class along the bottom of the screen, which is the
// notification area as well: Shell_NotifyIcon hands each icon operation to the taskbar's
// window as WM_COPYDATA, its dwData the NIM_ operation. The area takes icons while it is
// ready and counts what it took; one exists at a time. It is topmost, as the shell's is,
// so that the icon operations find it before any other process's taskbar window.
class CFakeTaskbar {
public:
    CFakeTaskbar() {
        window = CreateBottomTaskbar(30);
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        current = this;
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayProc));
    }
    ~CFakeTaskbar() {
        DestroyWindow(window);
        current = nullptr;
    }
    CFakeTaskbar(const CFakeTaskbar&) = delete;
    CFakeTaskbar& operator=(const CFakeTaskbar&) = delete;

    bool trayReady = true;
    int iconsAdded = 0;
    int balloons = 0; // the program changes its icon only to show the balloon

private:
    static LRESULT CALLBACK TrayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_COPYDATA || !current)
            return DefWindowProcA(window, message, wParam, lParam);
        if (!current->trayReady)
            return FALSE;
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData == NIM_ADD)
            ++current->iconsAdded;
        else if (data->dwData == NIM_MODIFY)
            ++current->balloons;
        return TRUE;
    }

    static inline CFakeTaskbar* current = nullptr;
    HWND window;
};

class CWppTest : public AppTest {
protected:
    CFakeTaskbar taskbar;
    // A window handle as "Handle" stores it.
    static std::string HandleText(HWND window) {
        return std::to_string(static_cast<int>(reinterpret_cast<intptr_t>(window)));
    }
};

TEST_F(CWppTest, TheFirstRunShowsTheTitledWindowCentredAndEnterTogglesTheEffect) {
    CTestApp app("CWppTest");
    ASSERT_TRUE(app.Init());
    HWND dialog = app.Dialog();
    EXPECT_TRUE(app.firstRun);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(WindowText(dialog), "CWppTest") << "the single-instance check finds this text";
    RECT rect{};
    GetWindowRect(dialog, &rect);
    EXPECT_NEAR((rect.left + rect.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_TRUE(app.Controller().Running());
    EXPECT_TRUE(app.ShowsStop());

    SendMessageA(dialog, WM_COMMAND, CMainDlg::kToggle, 0);
    EXPECT_FALSE(app.Controller().Running());
    EXPECT_FALSE(app.ShowsStop());
    EXPECT_TRUE(GetDlgItem(dialog, CMainDlg::kStart));
    SendMessageA(dialog, WM_COMMAND, CMainDlg::kToggle, 0);
    EXPECT_TRUE(app.Controller().Running());
    EXPECT_TRUE(app.ShowsStop());

    // Timer 6 of the first run minimises the window into the tray for good.
    SendMessageA(dialog, WM_TIMER, CMainDlg::kFirstRunTimer, 0);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(*app.startMinimize.Get(), 1);
    app.Quit();
    EXPECT_EQ(Stored("Options\\Common", "StartMinimize"), "1");
    EXPECT_EQ(Stored("Sets", "current"), "Embra");
}

TEST_F(CWppTest, StartMinimizeTwoKeepsTheWindowHiddenWhileTheEffectRuns) {
    LaterRun("2");
    CTestApp app("CWppTest");
    ASSERT_TRUE(app.Init());
    EXPECT_FALSE(IsWindowVisible(app.Dialog()));
    EXPECT_FALSE(IsIconic(app.Dialog()));
    EXPECT_TRUE(app.Controller().Running());
    EXPECT_FALSE(app.HasTrayIcon()) << "never minimised, so never in the tray";
    EXPECT_EQ(taskbar.iconsAdded, 0);
    app.Quit();
}

TEST_F(CWppTest, ASecondStartBringsTheFirstForwardAndFails) {
    LaterRun("1");
    CTestApp first("CWppTest");
    ASSERT_TRUE(first.Init());
    EXPECT_FALSE(IsWindowVisible(first.Dialog())) << "StartMinimize 1 put it into the tray";
    CTestApp second("CWppTest");
    EXPECT_FALSE(second.Init());
    EXPECT_TRUE(IsWindowVisible(first.Dialog()));
    EXPECT_FALSE(IsIconic(first.Dialog()));
    first.Quit();
}

TEST_F(CWppTest, TheMainWindowCarriesOutOnlyWholeCommandsWithTheirId) {
    LaterRun("2");
    CTestApp app("CWppTest");
    ASSERT_TRUE(app.Init());
    struct Case {
        const char* label;
        ULONG_PTR id;
        std::string data;
        LRESULT answer;
        bool running; // afterwards
    };
    const Case cases[] = {
        {"another program's data", kCommandDataId + 1, "/stop", 0, true},
        {"a command", kCommandDataId, "/stop", kCommandDone, false},
        {"another effect", kCommandDataId, "/effect\nRipla", kCommandDone, true},
    };
    for (const Case& c : cases) {
        COPYDATASTRUCT copy{c.id, static_cast<DWORD>(c.data.size()),
                            const_cast<char*>(c.data.data())};
        EXPECT_EQ(SendMessageW(app.Dialog(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy)),
                  c.answer)
            << c.label;
        EXPECT_EQ(app.Controller().Running(), c.running) << c.label;
    }
    EXPECT_EQ(Stored("Sets", "current"), "Ripla") << "stored as OK stores it";
    app.Quit();
}

TEST_F(CWppTest, TheEndOfTheSessionSavesEverythingOnce) {
    struct Case {
        const char* what;
        bool cancelled; // the session end is called off after the query
        int savesAfterQuit;
    };
    const Case cases[] = {
        {"logoff: the saved settings stand", false, 1},
        {"called off: the exit saves again", true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteTestKey(TestKeyPath());
        LaterRun("2");
        CTestApp app("CWppTest");
        ASSERT_TRUE(app.Init());
        HWND dialog = app.Dialog();
        EXPECT_NE(SendMessageA(dialog, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0)
            << "the session may end";
        EXPECT_EQ(app.saves, 1);
        EXPECT_EQ(Stored("Sets", "current"), "Embra");
        EXPECT_EQ(Stored("Sets\\Embra", "vis"), "50");
        EXPECT_EQ(Stored("Options\\Common", "StartMinimize"), "2");
        EXPECT_NE(Stored("Options\\Windows\\Main", "plmnt"), "<none>");
        EXPECT_TRUE(app.Controller().Running()) << "saving does not wait for the workers";
        EXPECT_EQ(Stored("Options\\Windows\\Main", "Handle"), "");
        SendMessageA(dialog, WM_ENDSESSION, c.cancelled ? FALSE : TRUE, ENDSESSION_LOGOFF);
        EXPECT_EQ(app.saves, 1);
        // Called off, the session goes on: a second start must find this one again.
        EXPECT_EQ(Stored("Options\\Windows\\Main", "Handle"),
                  c.cancelled ? HandleText(dialog) : "");
        if (c.cancelled) {
            CTestApp second("CWppTest");
            EXPECT_FALSE(second.Init());
        }
        app.Quit();
        EXPECT_EQ(app.saves, c.savesAfterQuit);
        EXPECT_EQ(TakeQuitCode(), 0);
    }
}

TEST_F(CWppTest, ADisplayChangeRestartsTheEffectWithANewOverlayOnceItSettled) {
    LaterRun("2");
    CTestApp app("CWppTest");
    ASSERT_TRUE(app.Init());
    ASSERT_TRUE(app.Controller().Running());
    HWND before = app.Overlay();
    SendMessageA(app.Dialog(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_EQ(app.Overlay(), before) << "the taskbar's rectangle may be stale";
    PumpUntil([&] { return app.Overlay() != before; }, 2);
    EXPECT_TRUE(app.Controller().Running());
    EXPECT_TRUE(app.ShowsStop());
    EXPECT_NE(app.Overlay(), before);
    EXPECT_TRUE(IsWindow(app.Overlay()));
    app.Quit();
}

TEST_F(CWppTest, EscapeWithEscMinPausesTheEffectWhileTheWindowMinimises) {
    LaterRun("0");
    WriteOption("EscMin", "1");
    CTestApp app("CWppTest");
    ASSERT_TRUE(app.Init());
    HWND dialog = app.Dialog();
    ASSERT_TRUE(IsWindowVisible(dialog));
    SendMessageA(dialog, WM_COMMAND, CMainDlg::kClose, 0);
    EXPECT_FALSE(IsWindowVisible(dialog)) << "minimised into the tray";
    EXPECT_TRUE(app.Controller().Running());
    EXPECT_TRUE(app.ShowsStop());
    app.Quit();
}

TEST_F(CWppTest, EscapeAsksAndOkEndsTheRunWhileCancelRestartsTheEffect) {
    LaterRun("0");
    CTestApp app("CWppTest");
    ASSERT_TRUE(app.Init());
    HWND dialog = app.Dialog();
    {
        CBoxAnswer answer(app.title.str(), IDCANCEL);
        SendMessageA(dialog, WM_COMMAND, CMainDlg::kClose, 0);
        EXPECT_EQ(answer.Text(), "Quit program?");
    }
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_TRUE(app.Controller().Running());
    EXPECT_TRUE(app.ShowsStop());
    {
        CBoxAnswer answer(app.title.str(), IDOK);
        SendMessageA(dialog, WM_COMMAND, CMainDlg::kClose, 0);
        EXPECT_EQ(answer.Text(), "Quit program?");
    }
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_FALSE(app.Controller().Running());
    EXPECT_EQ(app.saves, 1);
    EXPECT_EQ(TakeQuitCode(), 0);
}

TEST_F(CWppTest, TheFirstRunRecordsItselfAsSoonAsItsWindowExists) {
    CTestApp first("CWppTest");
    ASSERT_TRUE(first.Init());
    ASSERT_TRUE(first.firstRun);
    // What a kill would leave behind: the next start is no first run and finds this one.
    EXPECT_EQ(Stored("Options\\Windows\\Main", "Handle"), HandleText(first.Dialog()));
    CTestApp second("CWppTest");
    EXPECT_FALSE(second.Init());
    EXPECT_FALSE(second.firstRun);
    EXPECT_TRUE(IsWindowVisible(first.Dialog()));
    first.Quit();
}

TEST_F(CWppTest, WithoutANotificationAreaTheWindowWaitsOnTheTaskbarUntilTheIconExists) {
    static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    taskbar.trayReady = false;
    CTestApp app("CWppTest");
    ASSERT_TRUE(app.Init());
    HWND dialog = app.Dialog();
    SendMessageA(dialog, WM_TIMER, CMainDlg::kFirstRunTimer, 0);
    EXPECT_TRUE(IsWindowVisible(dialog)) << "minimised where the user can reach it";
    EXPECT_TRUE(IsIconic(dialog));
    EXPECT_FALSE(app.HasTrayIcon());
    EXPECT_EQ(taskbar.balloons, 0) << "no balloon without an icon";

    // The shell comes up: the icon is added, the window goes into it, the balloon shows.
    taskbar.trayReady = true;
    SendMessageA(dialog, taskbarCreated, 0, 0);
    EXPECT_TRUE(app.HasTrayIcon());
    EXPECT_EQ(taskbar.iconsAdded, 1);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(taskbar.balloons, 1);

    // Back and into the tray again, and the shell restarting: the balloon showed once.
    ShowWindow(dialog, SW_RESTORE);
    ShowWindow(dialog, SW_MINIMIZE);
    SendMessageA(dialog, taskbarCreated, 0, 0);
    EXPECT_EQ(taskbar.iconsAdded, 2);
    EXPECT_EQ(taskbar.balloons, 1);
    EXPECT_FALSE(IsWindowVisible(dialog));
    app.Quit();
}

TEST_F(CWppTest, ALaterRunStartingMinimisedWithoutANotificationAreaStaysOnTheTaskbar) {
    taskbar.trayReady = false;
    LaterRun("1");
    CTestApp app("CWppTest");
    ASSERT_TRUE(app.Init());
    EXPECT_TRUE(IsWindowVisible(app.Dialog()));
    EXPECT_TRUE(IsIconic(app.Dialog()));
    app.Quit();
}

TEST_F(CWppTest, TheFirstRunsMinimiseWaitsWhileADialogOfTheProgramIsOpen) {
    struct Case {
        const char* what;
        UINT command; // opens the dialog
    };
    // Any dialog of the program counts alike: the settings window stands for them all.
    const Case cases[] = {
        {"settings", CMainDlg::kSettings},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteTestKey(TestKeyPath());
        CTestApp app("CWppTest");
        ASSERT_TRUE(app.Init());
        HWND main = app.Dialog();
        bool opened = false;
        bool openAfterTimer = false;
        RunModalScript([&] { SendMessageA(main, WM_COMMAND, c.command, 0); },
                       [&](HWND dialog) {
                           opened = true;
                           SendMessageA(main, WM_TIMER, CMainDlg::kFirstRunTimer, 0);
                           openAfterTimer = IsWindowVisible(dialog) && !IsIconic(main);
                       });
        EXPECT_TRUE(opened);
        EXPECT_TRUE(openAfterTimer);
        EXPECT_TRUE(IsWindowVisible(main));
        EXPECT_EQ(*app.startMinimize.Get(), 0);
        // The dialog closed, the timer's next tick minimises.
        SendMessageA(main, WM_TIMER, CMainDlg::kFirstRunTimer, 0);
        EXPECT_FALSE(IsWindowVisible(main));
        EXPECT_EQ(*app.startMinimize.Get(), 1);
        app.Quit();
        EXPECT_EQ(TakeQuitCode(), 0);
    }
}

TEST_F(CWppTest, WhileAnEffectDialogIsOpenSavesStoreTheValuesOfItsOpening) {
    LaterRun("2");
    WriteRawValue(TestKeyPath() + "\\Sets\\Embra", "vis", REG_SZ, "40", 3);
    CTestApp app("CWppTest");
    ASSERT_TRUE(app.Init());
    CWppSettingsLink link(&app);
    auto* fire = static_cast<CSetEmbra*>(link.EffectSets()[0]);
    bool opened = false;
    RunModalScript([&] { fire->ShowSettings(app.Dialog()); },
                   [&](HWND dialog) {
                       opened = true;
                       PressSliderKey(dialog, IDC_OPAQUE_SLIDER, VK_RIGHT);
                       ASSERT_EQ(*fire->vis.Get(), 41);
                       SendMessageA(app.Dialog(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
                       EXPECT_EQ(Stored("Sets\\Embra", "vis"), "40") << "logoff";
                       EXPECT_EQ(*fire->vis.Get(), 41) << "the dialog keeps editing";
                       EXPECT_EQ(ControlText(dialog, IDC_OPAQUE_EDIT), "41");
                       SendMessageA(app.Dialog(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
                       // The exit from inside the dialog saves the same way.
                       app.Quit();
                       EXPECT_EQ(Stored("Sets\\Embra", "vis"), "40") << "exit";
                   });
    EXPECT_TRUE(opened);
    EXPECT_EQ(app.saves, 2);
    EXPECT_EQ(TakeQuitCode(), 0);
}

TEST_F(CWppTest, ThePlacementComesBackAtTheDialogsOwnSizeOnAMonitor) {
    // The dialog's own size, from a start without a stored placement.
    SIZE own{};
    {
        LaterRun("2");
        CTestApp app("CWppTest");
        ASSERT_TRUE(app.Init());
        RECT rect{};
        GetWindowRect(app.Dialog(), &rect);
        own = {rect.right - rect.left, rect.bottom - rect.top};
        app.Quit();
    }
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    struct Case {
        const char* what;
        RECT stored;  // the normal rectangle of the stored record
        bool centred; // else at the stored corner
    };
    const Case cases[] = {
        {"a size that no longer fits", {100, 80, 140, 100}, false},
        {"a monitor that is gone", {-5000, -4000, -4700, -3800}, true},
        {"right of the screen", {screenWidth + 400, 50, screenWidth + 700, 250}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteTestKey(TestKeyPath());
        LaterRun("0");
        const PlacementRecord record{kPlacementRecordSize,
                                     0,
                                     SW_SHOWNORMAL,
                                     -1,
                                     -1,
                                     -1,
                                     -1,
                                     c.stored.left,
                                     c.stored.top,
                                     c.stored.right,
                                     c.stored.bottom};
        WriteRawValue(TestKeyPath() + "\\Options\\Windows\\Main", "plmnt", REG_BINARY, &record,
                      sizeof(record));
        CTestApp app("CWppTest");
        ASSERT_TRUE(app.Init());
        RECT rect{};
        GetWindowRect(app.Dialog(), &rect);
        EXPECT_EQ(rect.right - rect.left, own.cx);
        EXPECT_EQ(rect.bottom - rect.top, own.cy);
        if (c.centred) {
            MONITORINFO monitor{};
            monitor.cbSize = sizeof(monitor);
            GetMonitorInfoA(MonitorFromWindow(app.Dialog(), MONITOR_DEFAULTTONULL), &monitor);
            const RECT& work = monitor.rcWork;
            EXPECT_NEAR((rect.left + rect.right) / 2, (work.left + work.right) / 2, 1);
            EXPECT_NEAR((rect.top + rect.bottom) / 2, (work.top + work.bottom) / 2, 1);
        } else {
            EXPECT_EQ(rect.left, c.stored.left);
            EXPECT_EQ(rect.top, c.stored.top);
        }
        app.Quit();
    }
}

} // namespace

// WM_CLOSE to the overlay is refused; an overlay destroyed from outside stops the effect
// and the main window shows the start face; the next start makes a new overlay.
TEST_F(CWppTest, AnOverlayDestroyedFromOutsideStopsTheEffect) {
    LaterRun("2");
    CTestApp app("CWppTest");
    ASSERT_TRUE(app.Init());
    ASSERT_TRUE(app.Controller().Running());
    HWND overlay = app.Overlay();
    SendMessageA(overlay, WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_TRUE(IsWindow(overlay));
    EXPECT_TRUE(app.Controller().Running());

    DestroyWindow(overlay);
    PumpFor(100); // the stop follows once the destruction is over
    EXPECT_FALSE(app.Controller().Running());
    EXPECT_FALSE(app.ShowsStop());

    SendMessageA(app.Dialog(), WM_COMMAND, CMainDlg::kStart, 0);
    EXPECT_TRUE(app.Controller().Running());
    EXPECT_TRUE(app.ShowsStop());
    EXPECT_TRUE(IsWindow(app.Overlay()));
    app.Quit();
}

TEST_F(CWppTest, TheStoredHotKeyStartsAndStopsTheEffectUntilTheExitLetsItGo) {
    LaterRun("2");
    // Ctrl+Shift+F: HOTKEYF_SHIFT is 1 where MOD_SHIFT is 4 and MOD_ALT 1.
    const int ctrlShiftF = MAKEWORD('F', HOTKEYF_CONTROL | HOTKEYF_SHIFT);
    const std::string stored = std::to_string(ctrlShiftF);
    WriteOption("HotKey", stored.c_str());
    CTestApp app("CWppTest");
    ASSERT_TRUE(app.Init());
    EXPECT_TRUE(HotKeyHeld(MOD_CONTROL | MOD_SHIFT, 'F'));
    EXPECT_FALSE(HotKeyHeld(MOD_CONTROL | MOD_ALT, 'F'));
    ASSERT_TRUE(app.Controller().Running());
    const LPARAM keys = MAKELPARAM(MOD_CONTROL | MOD_SHIFT, 'F');
    SendMessageA(app.Dialog(), WM_HOTKEY, CStartStopHotKey::kId, keys);
    EXPECT_FALSE(app.Controller().Running());
    EXPECT_FALSE(app.ShowsStop());
    SendMessageA(app.Dialog(), WM_HOTKEY, CStartStopHotKey::kId, keys);
    EXPECT_TRUE(app.Controller().Running());
    EXPECT_TRUE(app.ShowsStop());
    app.Quit();
    EXPECT_FALSE(HotKeyHeld(MOD_CONTROL | MOD_SHIFT, 'F')) << "the exit let it go";
    EXPECT_EQ(Stored("Options\\Common", "HotKey"), stored);
}

TEST_F(CWppTest, AHotKeyHeldElsewhereAtStartIsNotedWithoutABox) {
    LaterRun("2");
    const CHeldHotKey other(MOD_CONTROL | MOD_ALT, 'J');
    const std::string stored = std::to_string(MAKEWORD('J', HOTKEYF_CONTROL | HOTKEYF_ALT));
    WriteOption("HotKey", stored.c_str());
    CTestApp app("CWppTest");
    {
        CBoxAnswer answer(app.title.str(), IDOK);
        ASSERT_TRUE(app.Init());
        EXPECT_EQ(answer.Text(), "") << "no box at start";
    }
    EXPECT_TRUE(app.Controller().Running());
    EXPECT_TRUE(CWppSettingsLink(&app).HotKeyTaken());
    app.Quit();
    EXPECT_EQ(Stored("Options\\Common", "HotKey"), stored) << "kept for a later start";
}
