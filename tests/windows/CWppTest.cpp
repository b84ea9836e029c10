#include "app/CWpp.h"
#include "AppTestStack.h"
#include "StandInTaskbar.h"
#include "TestPlaces.h"
#include "app/CStartupShortcut.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// The application over a test key, counting its saves.
class CTestWpp : public CWpp {
public:
    explicit CTestWpp(const tstr& key) {
        title = "CWppTest";
        store.SetRoot(key);
    }
    ~CTestWpp() override { CStartupShortcut(title).Apply(false); }
    bool Save() override {
        ++saves;
        return CWpp::Save();
    }
    HWND Dialog() const { return mainDlg.Handle(); }
    bool ShowsStop() const { return GetDlgItem(Dialog(), CMainDlg::kStop) != nullptr; }

    int saves = 0;
};

// A visible window of the taskbar's class along the bottom of the screen.
class CFakeTaskbar {
public:
    CFakeTaskbar() {
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        window = CreateTaskbar(RECT{0, height - 30, width, height}, true);
    }
    ~CFakeTaskbar() { DestroyWindow(window); }
    CFakeTaskbar(const CFakeTaskbar&) = delete;
    CFakeTaskbar& operator=(const CFakeTaskbar&) = delete;

private:
    HWND window;
};

void DrainMessages() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

class CWppTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteTestKey(TestKeyPath()); }
    void TearDown() override {
        DrainMessages();
        DeleteTestKey(TestKeyPath());
    }
    // Marks the next start as a later run: the main window's key exists.
    void NotFirstRun() {
        WriteRawValue(TestKeyPath() + "\\Options\\Windows\\Main", "Handle", REG_SZ, "", 1);
    }
    // Every value a later run stores, as "StartMinimize" 2 keeps the window hidden.
    void StartHidden() {
        NotFirstRun();
        WriteRawValue(TestKeyPath() + "\\Options\\Common", "StartMinimize", REG_SZ, "2", 2);
    }
    // The stored value's text, "<none>" when it is missing.
    std::string Stored(const char* path, const char* name) {
        const std::string raw = RawValue(TestKeyPath() + "\\" + path, name);
        if (raw == "<none>" || raw.compare(0, 2, "1:") != 0)
            return raw;
        return std::string(raw.c_str() + 2);
    }
};

TEST_F(CWppTest, TheFirstRunShowsTheTitledWindowCentredAndEnterTogglesTheEffect) {
    CFakeTaskbar taskbar;
    CTestWpp app(TestKeyPath());
    ASSERT_TRUE(app.Init());
    HWND dialog = app.Dialog();
    EXPECT_TRUE(app.firstRun);
    EXPECT_TRUE(IsWindowVisible(dialog));
    char text[64] = {};
    GetWindowTextA(dialog, text, sizeof(text));
    EXPECT_EQ(std::string(text), "CWppTest") << "the single-instance check finds this text";
    RECT rect{};
    GetWindowRect(dialog, &rect);
    EXPECT_NEAR((rect.left + rect.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_TRUE(app.IsEffectRunning());
    EXPECT_TRUE(app.ShowsStop());

    SendMessageA(dialog, WM_COMMAND, CMainDlg::kToggle, 0);
    EXPECT_FALSE(app.IsEffectRunning());
    EXPECT_FALSE(app.ShowsStop());
    EXPECT_TRUE(GetDlgItem(dialog, CMainDlg::kStart));
    SendMessageA(dialog, WM_COMMAND, CMainDlg::kToggle, 0);
    EXPECT_TRUE(app.IsEffectRunning());
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
    CFakeTaskbar taskbar;
    StartHidden();
    CTestWpp app(TestKeyPath());
    ASSERT_TRUE(app.Init());
    EXPECT_FALSE(IsWindowVisible(app.Dialog()));
    EXPECT_FALSE(IsIconic(app.Dialog()));
    EXPECT_TRUE(app.IsEffectRunning());
    EXPECT_FALSE(app.HasTrayIcon()) << "never minimised, so never in the tray";
    app.Quit();
}

TEST_F(CWppTest, ASecondStartBringsTheFirstForwardAndFails) {
    NotFirstRun();
    CTestWpp first(TestKeyPath());
    ASSERT_TRUE(first.Init());
    EXPECT_FALSE(IsWindowVisible(first.Dialog())) << "StartMinimize 1 put it into the tray";
    CTestWpp second(TestKeyPath());
    EXPECT_FALSE(second.Init());
    EXPECT_TRUE(IsWindowVisible(first.Dialog()));
    EXPECT_FALSE(IsIconic(first.Dialog()));
    first.Quit();
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
        CFakeTaskbar taskbar;
        StartHidden();
        CTestWpp app(TestKeyPath());
        ASSERT_TRUE(app.Init());
        HWND dialog = app.Dialog();
        EXPECT_NE(SendMessageA(dialog, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0)
            << "the session may end";
        EXPECT_EQ(app.saves, 1);
        EXPECT_EQ(Stored("Sets", "current"), "Embra");
        EXPECT_EQ(Stored("Sets\\Embra", "vis"), "50");
        EXPECT_EQ(Stored("Options\\Common", "StartMinimize"), "2");
        EXPECT_NE(Stored("Options\\Windows\\Main", "plmnt"), "<none>");
        EXPECT_TRUE(app.IsEffectRunning()) << "saving does not wait for the workers";
        SendMessageA(dialog, WM_ENDSESSION, c.cancelled ? FALSE : TRUE, ENDSESSION_LOGOFF);
        EXPECT_EQ(app.saves, 1);
        app.Quit();
        EXPECT_EQ(app.saves, c.savesAfterQuit);
        EXPECT_EQ(TakeQuitCode(), 0);
    }
}

TEST_F(CWppTest, ADisplayChangeRestartsTheEffectWithANewOverlay) {
    CFakeTaskbar taskbar;
    StartHidden();
    CTestWpp app(TestKeyPath());
    ASSERT_TRUE(app.Init());
    ASSERT_TRUE(app.IsEffectRunning());
    HWND before = app.desktop.OverlayWindow();
    SendMessageA(app.Dialog(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_TRUE(app.IsEffectRunning());
    EXPECT_TRUE(app.ShowsStop());
    EXPECT_NE(app.desktop.OverlayWindow(), before);
    EXPECT_TRUE(IsWindow(app.desktop.OverlayWindow()));
    app.Quit();
}

TEST_F(CWppTest, EscapeWithEscMinPausesTheEffectWhileTheWindowMinimises) {
    CFakeTaskbar taskbar;
    NotFirstRun();
    WriteRawValue(TestKeyPath() + "\\Options\\Common", "StartMinimize", REG_SZ, "0", 2);
    WriteRawValue(TestKeyPath() + "\\Options\\Common", "EscMin", REG_SZ, "1", 2);
    CTestWpp app(TestKeyPath());
    ASSERT_TRUE(app.Init());
    HWND dialog = app.Dialog();
    ASSERT_TRUE(IsWindowVisible(dialog));
    SendMessageA(dialog, WM_COMMAND, CMainDlg::kClose, 0);
    EXPECT_FALSE(IsWindowVisible(dialog)) << "minimised into the tray";
    EXPECT_TRUE(app.IsEffectRunning());
    EXPECT_TRUE(app.ShowsStop());
    app.Quit();
}

TEST_F(CWppTest, EscapeAsksAndOkEndsTheRunWhileCancelRestartsTheEffect) {
    CFakeTaskbar taskbar;
    NotFirstRun();
    WriteRawValue(TestKeyPath() + "\\Options\\Common", "StartMinimize", REG_SZ, "0", 2);
    CTestWpp app(TestKeyPath());
    ASSERT_TRUE(app.Init());
    HWND dialog = app.Dialog();
    {
        CBoxAnswer answer(app.title.str(), IDCANCEL);
        SendMessageA(dialog, WM_COMMAND, CMainDlg::kClose, 0);
        EXPECT_EQ(answer.Text(), "Quit program?");
    }
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_TRUE(app.IsEffectRunning());
    EXPECT_TRUE(app.ShowsStop());
    {
        CBoxAnswer answer(app.title.str(), IDOK);
        SendMessageA(dialog, WM_COMMAND, CMainDlg::kClose, 0);
        EXPECT_EQ(answer.Text(), "Quit program?");
    }
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_FALSE(app.IsEffectRunning());
    EXPECT_EQ(app.saves, 1);
    EXPECT_EQ(TakeQuitCode(), 0);
}

} // namespace

// WM_CLOSE to the overlay is refused; an overlay destroyed from outside stops the effect
// and the main window shows the start face; the next start makes a new overlay.
TEST_F(CWppTest, AnOverlayDestroyedFromOutsideStopsTheEffect) {
    CFakeTaskbar taskbar;
    StartHidden();
    CTestWpp app(TestKeyPath());
    ASSERT_TRUE(app.Init());
    ASSERT_TRUE(app.IsEffectRunning());
    HWND overlay = app.desktop.OverlayWindow();
    SendMessageA(overlay, WM_CLOSE, 0, 0);
    DrainMessages();
    EXPECT_TRUE(IsWindow(overlay));
    EXPECT_TRUE(app.IsEffectRunning());

    DestroyWindow(overlay);
    DrainMessages();
    EXPECT_FALSE(app.IsEffectRunning());
    EXPECT_FALSE(app.ShowsStop());
    EXPECT_EQ(app.effects.renderState.runningWorkers.load(), 0);

    SendMessageA(app.Dialog(), WM_COMMAND, CMainDlg::kStart, 0);
    EXPECT_TRUE(app.IsEffectRunning());
    EXPECT_TRUE(app.ShowsStop());
    EXPECT_TRUE(IsWindow(app.desktop.OverlayWindow()));
    app.Quit();
}

// Starting without an active set fails and the button keeps the start face; a start that
// failed is tried again, with the set chosen since, when a taskbar is created.
TEST_F(CWppTest, AFailedStartKeepsTheStartFaceAndIsTriedAgainWithANewTaskbar) {
    CFakeTaskbar taskbar;
    StartHidden();
    CTestWpp app(TestKeyPath());
    ASSERT_TRUE(app.Init());
    CSet* chosen = app.effects.renderState.activeSet;
    SendMessageA(app.Dialog(), WM_COMMAND, CMainDlg::kStop, 0);
    app.effects.control.Choose(nullptr);
    SendMessageA(app.Dialog(), WM_COMMAND, CMainDlg::kStart, 0);
    EXPECT_FALSE(app.IsEffectRunning());
    EXPECT_FALSE(app.ShowsStop());
    EXPECT_EQ(app.desktop.OverlayWindow(), nullptr);

    app.effects.control.Choose(chosen);
    EXPECT_FALSE(app.IsEffectRunning());
    SendMessageA(app.Dialog(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(app.IsEffectRunning());
    EXPECT_TRUE(app.ShowsStop());
    EXPECT_EQ(app.effects.renderState.activeSet, chosen);
    app.Quit();
}
