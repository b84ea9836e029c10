#include "AppTestStack.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> ParamNames(const CParamRegSet& set) {
    std::vector<std::string> names;
    for (IParamReg* param : set.Params())
        names.push_back(param->GetName().str());
    return names;
}

// A stack whose exit tries to leave a second time while the first request runs.
class CReentrantStack : public CTestStack {
public:
    bool Exit() override {
        nestedResult = RequestExit();
        return CTestStack::Exit();
    }
    int nestedResult = -1;
};

TEST(AppLayersTest, InitRegistersTheOptionsOutermostLayerFirst) {
    CTestStack app;
    ASSERT_TRUE(app.Init());
    const std::vector<std::string> expected = {"MinimizeToTray", "HideInTray",    "KeepInTray",
                                               "EscMin",         "StartMinimize", "CloseMinimize",
                                               "ConfirmExit"};
    EXPECT_EQ(ParamNames(app.rootSet), expected);
    EXPECT_EQ(std::string(app.profileName.str()), "Default");
    EXPECT_EQ(std::string(app.store.Expand("*prof*Options").str()), "Profiles\\Default\\Options");
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    EXPECT_EQ(app.processorCount, info.dwNumberOfProcessors);
    EXPECT_EQ(CTestStack::WorkerCount(0), 1u);
    EXPECT_EQ(CTestStack::WorkerCount(6), 6u);
    EXPECT_TRUE(app.firstRun);
}

TEST(AppLayersTest, InitTakesTheStoredProfileAndSeesALaterRun) {
    CTestStack app;
    app.store.WriteString("Profiles", "Profile", "Work");
    app.store.WriteString("Options\\Windows\\Main", "Handle", "");
    ASSERT_TRUE(app.Init());
    EXPECT_EQ(std::string(app.profileName.str()), "Work");
    EXPECT_EQ(std::string(app.store.Expand("*prof*Options").str()), "Profiles\\Work\\Options");
    EXPECT_FALSE(app.firstRun);
}

TEST(AppLayersTest, AnEmptyTitleRefusesTheStart) {
    CTestStack app("");
    EXPECT_FALSE(app.Init());
}

TEST(AppLayersTest, SaveRunsFromTheProfileDownToTheRootSet) {
    CTestStack app;
    ASSERT_TRUE(app.Init());
    app.TakeLog();
    app.Save();
    const std::vector<std::string> expected = {
        "delete-key Profiles\\Default",          "write Profiles Profile=Default",
        "write Options\\Windows\\Main Handle=",  "write Options\\Common MinimizeToTray=1",
        "write Options\\Common HideInTray=0",    "write Options\\Common KeepInTray=1",
        "write Options\\Common EscMin=0",        "write Options\\Common StartMinimize=2",
        "write Options\\Common CloseMinimize=0", "write Options\\Common ConfirmExit=1",
    };
    EXPECT_EQ(app.TakeLog(), expected);
}

TEST(AppLayersTest, LoadReadsTheRootSetFromCommonOptions) {
    CTestStack app;
    ASSERT_TRUE(app.Init());
    app.store.WriteString("Options\\Common", "StartMinimize", "0");
    app.store.WriteString("Options\\Common", "EscMin", "1");
    app.store.WriteString("Options\\Common", "ConfirmExit", "0");
    app.Load();
    EXPECT_EQ(*app.startMinimize.Get(), 0);
    EXPECT_EQ(*app.escMin.Get(), 1);
    EXPECT_FALSE(*app.confirmExit.Get());
}

TEST(AppLayersTest, ExitEmptiesTheRootSetAndPostsQuitWithCodeZero) {
    CTestStack app;
    ASSERT_TRUE(app.Init());
    TakeQuitCode();
    app.TakeLog();
    EXPECT_TRUE(app.Exit());
    EXPECT_TRUE(app.rootSet.Params().empty());
    EXPECT_TRUE(app.TakeLog().empty()) << "the layers below the application save nothing";
    EXPECT_EQ(TakeQuitCode(), 0);
}

TEST(AppLayersTest, TheSingleInstanceCheckMatchesOnlyAWindowTitledLikeTheApplication) {
    struct Case {
        const char* what;
        const char* otherTitle; // null: the stored handle names no window
        bool started;
    };
    const Case cases[] = {
        {"a running instance is brought forward", "AppLayersTest", false},
        {"a stale handle of another program is ignored", "Another program", true},
        {"a handle of no window is ignored", nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CTestStack app;
        HWND other = nullptr;
        if (c.otherTitle) {
            other = CreateWindowExA(0, "STATIC", c.otherTitle, WS_OVERLAPPEDWINDOW, 0, 0, 100, 50,
                                    nullptr, nullptr, nullptr, nullptr);
            ShowWindow(other, SW_MINIMIZE);
        }
        const int stored = other ? static_cast<int>(reinterpret_cast<intptr_t>(other)) : 12345;
        app.store.WriteInt("Options\\Windows\\Main", "Handle", stored);
        EXPECT_EQ(app.Init(), c.started);
        if (other) {
            EXPECT_EQ(IsIconic(other) == FALSE, !c.started) << "only the match is restored";
            DestroyWindow(other);
        }
    }
}

TEST(AppLayersTest, RequestExitAsksAndQuitsOnlyOnOk) {
    struct Case {
        const char* what;
        bool confirm;
        int button; // the answer to "Quit program?", 0 when no box is expected
        int result;
    };
    const Case cases[] = {
        {"OK quits", true, IDOK, 1},
        {"Cancel keeps running", true, IDCANCEL, 0},
        {"without ConfirmExit no box", false, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CTestStack app;
        ASSERT_TRUE(app.Init());
        app.confirmExit.Set(c.confirm);
        HWND window = app.MakeWindow();
        TakeQuitCode();
        CBoxAnswer answer(app.title.str(), c.button ? c.button : IDCANCEL);
        EXPECT_EQ(app.RequestExit(), c.result);
        EXPECT_EQ(answer.Text(), c.button ? "Quit program?" : "");
        EXPECT_EQ(IsWindow(window) == FALSE, c.result == 1) << "Quit destroys the main window";
        EXPECT_EQ(TakeQuitCode(), c.result == 1 ? 0 : -1);
        if (c.result == 1)
            app.window = nullptr;
    }
}

TEST(AppLayersTest, ARequestExitDuringTheQuitReturnsAtOnce) {
    CReentrantStack app;
    ASSERT_TRUE(app.Init());
    app.confirmExit.Set(false);
    EXPECT_EQ(app.RequestExit(), 1);
    EXPECT_EQ(app.nestedResult, 0);
    TakeQuitCode();
    EXPECT_EQ(app.RequestExit(), 1) << "the guard is released after the call";
    TakeQuitCode();
}

TEST(AppLayersTest, CloseRequestMinimisesWithEscMinAndAsksOtherwise) {
    CTestStack app;
    ASSERT_TRUE(app.Init());
    HWND window = app.MakeWindow();
    app.escMin.Set(1);
    EXPECT_EQ(app.OnCloseRequest(), 0);
    EXPECT_TRUE(IsIconic(window));
    app.escMin.Set(0);
    CBoxAnswer answer(app.title.str(), IDCANCEL);
    EXPECT_EQ(app.OnCloseRequest(), 0);
    EXPECT_EQ(answer.Text(), "Quit program?");
    EXPECT_TRUE(IsWindow(window));
}

TEST(AppLayersTest, EnumProfilesListsTheKeysUnderProfiles) {
    CTestStack app;
    app.store.WriteString("Profiles\\Default\\Options", "opaque", "10");
    app.store.WriteString("Profiles\\Work\\Options", "opaque", "20");
    std::vector<tstr> profiles;
    EXPECT_EQ(app.EnumProfiles(&profiles), 1);
    ASSERT_EQ(profiles.size(), 2u);
    EXPECT_EQ(std::string(profiles[0].str()), "Default");
    EXPECT_EQ(std::string(profiles[1].str()), "Work");
    EXPECT_EQ(app.EnumProfiles(nullptr), 0);
}

TEST(AppLayersTest, ResetWithDeletionRemovesTheWholeKey) {
    CTestStack app;
    app.store.SetRoot("Root");
    ASSERT_TRUE(app.Init());
    app.Save();
    TakeQuitCode();
    app.Reset(true);
    EXPECT_FALSE(app.store.KeyExists("Options\\Common"));
    EXPECT_FALSE(*app.startWithWindows.Get());
    EXPECT_EQ(TakeQuitCode(), 0);
}

} // namespace
