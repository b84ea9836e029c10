#pragma once

#include "app/CApp.h"
#include "params/CMemoryBackend.h"
#include "params/tstr.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// A memory store that keeps a line per change: "write <path> <name>=<text>", "delete
// <path> <name>" and "delete-key <path>".
class CLoggingBackend : public CMemoryBackend {
public:
    explicit CLoggingBackend(std::vector<std::string>* log) : log(log) {}

    bool WriteString(const tstr& path, const tstr& name, const tstr& text) override {
        log->push_back(text.IsNull() ? "delete " + Entry(path, name)
                                     : "write " + Entry(path, name) + "=" + text.str());
        return CMemoryBackend::WriteString(path, name, text);
    }
    bool DeleteKey(const tstr& path) override {
        log->push_back(std::string("delete-key ") + path.str());
        return CMemoryBackend::DeleteKey(path);
    }

private:
    static std::string Entry(const tstr& path, const tstr& name) {
        return std::string(path.str()) + " " + name.str();
    }
    std::vector<std::string>* log;
};

// The layers of the application over a memory store, with a plain top-level window as
// main window (no dialog), and a log of the calls that reach the bottom layer.
class CTestStack : public CApp {
public:
    explicit CTestStack(const char* name = "AppLayersTest") {
        title = name;
        store.SetBackend(std::make_unique<CLoggingBackend>(&storeLog));
    }
    ~CTestStack() override {
        if (window)
            DestroyWindow(window);
    }

    HWND CreateMainDialog(HWND) override { return nullptr; }
    CDialog* MainDialog() override { return nullptr; }
    HWND MainWindowHandle() override { return window; }
    HWND MainDialogHandle() override { return window; }
    UINT TrayCallbackMessage() override { return 32771; }
    int TrayIconId() override { return 107; }

    // A visible top-level window titled like the application.
    HWND MakeWindow() {
        window = CreateWindowExA(0, "STATIC", title.str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                 200, 100, nullptr, nullptr, nullptr, nullptr);
        return window;
    }
    std::vector<std::string> TakeLog() {
        std::vector<std::string> taken;
        taken.swap(storeLog);
        return taken;
    }

    HWND window = nullptr;
    std::vector<std::string> storeLog;
};

// Answers the next message box titled `title` of this process with `button` (IDOK or
// IDCANCEL) from a second thread, and remembers its text.
class CBoxAnswer {
public:
    CBoxAnswer(const char* title, int button)
        : thread([this, title, button] { Answer(title, button); }) {}
    ~CBoxAnswer() {
        stop = true;
        if (thread.joinable())
            thread.join();
    }
    std::string Text() {
        stop = true;
        if (thread.joinable())
            thread.join();
        return text;
    }

private:
    // A window of the dialog class with that title and a static text: a message box, not
    // a main dialog of the same title.
    void Answer(const char* title, int button) {
        while (!stop) {
            for (HWND box = FindWindowExA(nullptr, nullptr, "#32770", title); box;
                 box = FindWindowExA(nullptr, box, "#32770", title)) {
                EnumChildWindows(box, &CBoxAnswer::TakeStaticText, reinterpret_cast<LPARAM>(&text));
                if (!text.empty()) {
                    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
                    return;
                }
            }
            Sleep(5);
        }
    }

    // The first non-empty static text: the box's message.
    static BOOL CALLBACK TakeStaticText(HWND child, LPARAM target) {
        char className[16] = {};
        char buffer[256] = {};
        GetClassNameA(child, className, sizeof(className));
        if (lstrcmpiA(className, "Static") != 0 ||
            GetWindowTextA(child, buffer, sizeof(buffer)) == 0)
            return TRUE;
        *reinterpret_cast<std::string*>(target) = buffer;
        return FALSE;
    }

    std::atomic<bool> stop{false};
    std::string text;
    std::thread thread;
};

// Removes the quit messages waiting for this thread; the code of the last, -1 when none.
inline int TakeQuitCode() {
    MSG message{};
    int code = -1;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        code = static_cast<int>(message.wParam);
    return code;
}
