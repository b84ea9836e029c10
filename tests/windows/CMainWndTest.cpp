#include "app/CMainWnd.h"
#include "app/CAppBase.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// An application that counts what its main window asks of it.
class CRecordingApp : public CAppBase {
public:
    CRecordingApp() : window(this) { title = "CMainWndTest"; }

    int OnCloseRequest() override {
        ++closeRequests;
        return CAppBase::OnCloseRequest();
    }
    bool Exit() override {
        ++exits;
        return CAppBase::Exit();
    }
    void OnSettingChange() override { ++settingChanges; }
    HWND MainWindowHandle() override { return window.Handle(); }

    CMainWnd window;
    int closeRequests = 0;
    int exits = 0;
    int settingChanges = 0;
};

// An application whose exit meets a second close request.
class CReentrantApp : public CAppBase {
public:
    bool Exit() override {
        ++exits;
        nestedResult = RequestExit();
        return CAppBase::Exit();
    }

    int exits = 0;
    int nestedResult = -1;
};

constexpr int kNoQuit = -1;

// Dispatches the messages waiting for this thread; the quit message's code, or kNoQuit
// when none was waiting.
int PumpUntilQuit() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            return static_cast<int>(message.wParam);
        DispatchMessageA(&message);
    }
    return kNoQuit;
}

TEST(CMainWndTest, IsAHiddenTopLevelWindowNamedAfterTheTitle) {
    CRecordingApp app;
    ASSERT_TRUE(app.window.Create(app.title));
    HWND window = app.window.Handle();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());
    char text[64] = {};
    GetWindowTextA(window, text, sizeof(text));
    EXPECT_EQ(std::string(text), "CMainWndTest");
}

TEST(CMainWndTest, EndRequestsQuitOnceAndDestroyTheWindow) {
    struct Case {
        const char* what;
        UINT message;
        WPARAM wParam;
        bool post; // posted like a close request from another program, else sent
    };
    const Case cases[] = {
        {"close request, as taskkill posts it", WM_CLOSE, 0, true},
        {"the session ends", WM_ENDSESSION, TRUE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CRecordingApp app;
        ASSERT_TRUE(app.window.Create(app.title));
        HWND window = app.window.Handle();
        if (c.post)
            PostMessageA(window, c.message, c.wParam, 0);
        else
            SendMessageA(window, c.message, c.wParam, 0);
        EXPECT_EQ(PumpUntilQuit(), 0);
        EXPECT_EQ(app.exits, 1);
        EXPECT_TRUE(app.HasExited());
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(app.window.Handle(), nullptr);
    }
}

TEST(CMainWndTest, OtherMessagesLeaveTheProgramRunning) {
    CRecordingApp app;
    ASSERT_TRUE(app.window.Create(app.title));
    HWND window = app.window.Handle();
    // The session goes on after all: nothing ends.
    SendMessageA(window, WM_ENDSESSION, FALSE, 0);
    // A changed work area is handed to the application.
    SendMessageA(window, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_EQ(PumpUntilQuit(), kNoQuit);
    EXPECT_EQ(app.exits, 0);
    EXPECT_EQ(app.settingChanges, 1);
    EXPECT_TRUE(IsWindow(window));
}

TEST(CMainWndTest, AnEndedSessionAfterExitDoesNotExitAgain) {
    CRecordingApp app;
    ASSERT_TRUE(app.window.Create(app.title));
    HWND window = app.window.Handle();
    app.Exit();
    SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(PumpUntilQuit(), 0);
    EXPECT_EQ(app.exits, 1);
    EXPECT_TRUE(IsWindow(window)); // Exit alone leaves the window to Quit
}

TEST(CAppBaseTest, ACloseRequestDuringTheExitIsRefused) {
    CReentrantApp app;
    EXPECT_EQ(app.RequestExit(), 1);
    EXPECT_EQ(app.nestedResult, 0);
    EXPECT_EQ(app.exits, 1);
    EXPECT_EQ(PumpUntilQuit(), 0);
}

TEST(CAppBaseTest, InitNeedsATitle) {
    CAppBase app;
    EXPECT_FALSE(app.Init());
    app.title = "CAppBaseTest";
    EXPECT_TRUE(app.Init());
}

} // namespace
