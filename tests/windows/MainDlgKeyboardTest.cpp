#include "AppRig.h"
#include "AppTestStack.h"
#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

namespace {

// The application over a test key, its window shown and the effect running, as a later
// run that does not start minimised.
class MainDlgKeyboard : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        LaterRun("0");
        app = std::make_unique<CTestApp>("MainDlgKeyboardTest");
        ASSERT_TRUE(app->Init());
        dialog = app->Dialog();
        ASSERT_TRUE(IsWindowVisible(dialog));
        SetForegroundWindow(dialog);
    }
    void TearDown() override {
        if (IsWindow(dialog))
            app->Quit();
        app.reset();
        TakeQuitCode();
        AppTest::TearDown();
    }

    HWND StartStopButton() const {
        HWND stop = GetDlgItem(dialog, CMainDlg::kStop);
        return stop ? stop : GetDlgItem(dialog, CMainDlg::kStart);
    }
    HWND Gear() const { return GetDlgItem(dialog, CMainDlg::kSettings); }

    std::unique_ptr<CTestApp> app;
    HWND dialog = nullptr;
};

TEST_F(MainDlgKeyboard, TabAndShiftTabMoveBetweenTheTwoButtons) {
    SetFocus(StartStopButton());
    PressDialogKey(dialog, VK_TAB);
    EXPECT_EQ(GetFocus(), Gear());
    PressDialogKey(dialog, VK_TAB);
    EXPECT_EQ(GetFocus(), StartStopButton());
    {
        const CShiftHeld shift;
        PressDialogKey(dialog, VK_TAB);
    }
    EXPECT_EQ(GetFocus(), Gear());
}

// The window texts are the names screen readers announce; the start button's follows
// what it does.
TEST_F(MainDlgKeyboard, SpaceAndEnterPressTheFocusedStartButtonAndItsNameFollows) {
    EXPECT_TRUE(app->Controller().Running());
    EXPECT_EQ(WindowText(StartStopButton()), "Stop effect");
    EXPECT_EQ(WindowText(Gear()), "Settings");

    SetFocus(StartStopButton());
    PressDialogKey(dialog, VK_SPACE);
    PumpMessages();
    EXPECT_FALSE(app->Controller().Running());
    EXPECT_EQ(WindowText(StartStopButton()), "Start effect");
    EXPECT_EQ(GetFocus(), StartStopButton());

    PressDialogKey(dialog, VK_RETURN);
    PumpMessages();
    EXPECT_TRUE(app->Controller().Running());
    EXPECT_EQ(WindowText(StartStopButton()), "Stop effect");
}

TEST_F(MainDlgKeyboard, EnterOnTheGearOpensTheSettingsWindowAndLeavesTheEffectAlone) {
    SetFocus(Gear());
    std::string opened;
    {
        CBoxAnswer keepRunning(app->title.str(), IDCANCEL); // should the main window close
        RunModalScript([&] { PressDialogKey(dialog, VK_RETURN); },
                       [&](HWND settings) {
                           opened = WindowText(settings);
                           PressButton(settings, IDCANCEL);
                       });
    }
    EXPECT_EQ(opened, "Settings");
    EXPECT_TRUE(app->Controller().Running());
}

TEST_F(MainDlgKeyboard, AltF4OnAFocusedButtonAsksQuitProgram) {
    SetFocus(Gear());
    std::string asked;
    {
        CBoxAnswer answer(app->title.str(), IDCANCEL);
        SendMessageA(Gear(), WM_SYSKEYDOWN, VK_F4, 0x20000001); // Alt held: context bit
        PumpMessages(); // the close command it posts, with the question in it
        asked = answer.Text();
    }
    EXPECT_EQ(asked, "Quit program?");
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_TRUE(app->Controller().Running());
}

} // namespace
