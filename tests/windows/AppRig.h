#pragma once

#include "TestPlaces.h"
#include "app/CStartupShortcut.h"
#include "app/CWpp.h"
#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

// The one rig of the suites that start the whole application under Wine.

// The application over the running test's own key, titled `name`, over the Windows
// adapter of the system's state or a stand-in; it counts its saves and removes the
// start-up shortcut its first run made.
class CTestApp : public CWpp {
public:
    explicit CTestApp(const char* name, ISystemState* system = nullptr) : CWpp(system) {
        title = name;
        store.SetRoot(TestKeyPath());
    }
    ~CTestApp() override { CStartupShortcut(title).Apply(false); }
    bool Save() override {
        ++saves;
        return CWpp::Save();
    }
    HWND Dialog() { return MainDialogHandle(); }
    // The start button carries the stop command while the effect runs.
    bool ShowsStop() { return GetDlgItem(Dialog(), CMainDlg::kStop) != nullptr; }
    // The overlay window this thread made first and still has; null when none.
    static HWND Overlay() {
        HWND found = nullptr;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM result) -> BOOL {
                char name[32] = {};
                GetClassNameA(window, name, sizeof(name));
                if (std::strcmp(name, "LV_EmbraDrawWnd") != 0)
                    return TRUE;
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    int saves = 0;
};

// A fixture over the test's own key, empty at the start and gone at the end.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteTestKey(TestKeyPath()); }
    void TearDown() override {
        // The quit message each exit posts goes, so that no later modal loop ends at once.
        PumpMessages();
        DeleteTestKey(TestKeyPath());
    }
    // The next start is a later run (the main window's key exists), its window shown (0),
    // minimised (1) or hidden (2) as "StartMinimize" says.
    void LaterRun(const char* startMinimize) {
        WriteRawValue(TestKeyPath() + "\\Options\\Windows\\Main", "Handle", REG_SZ, "", 1);
        WriteOption("StartMinimize", startMinimize);
    }
    void WriteOption(const char* name, const char* text) {
        WriteRawValue(TestKeyPath() + "\\Options\\Common", name, REG_SZ, text,
                      static_cast<DWORD>(std::strlen(text) + 1));
    }
    // The stored text under the key's `path`, as every number is stored; the raw form when
    // it is no text, "<none>" when it is missing.
    std::string Stored(const char* path, const char* name) {
        const std::string raw = RawValue(TestKeyPath() + "\\" + path, name);
        return raw.compare(0, 2, "1:") == 0 ? std::string(raw.c_str() + 2) : raw;
    }
};
