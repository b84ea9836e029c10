// Test helper started inside the Wine virtual desktop next to a running embra.exe: does
// one thing a user or the system does to the program and appends what it sees to the
// report file, one line per command.
// Usage: embra_e2e_driver.exe <report file> <command> [argument]
//   main                 "main <visible> <iconic> <left> <top> <right> <bottom> <stop> <text>"
//                        (stop: 1 while the start button carries the stop command)
//   wait-main <state>    waits up to 20 s until the main window is shown or hidden, then as main
//   wait-running <1|0>   waits up to 20 s until the effect runs or is stopped, then as main
//   tray                 "tray <1 when the main window has its notification-area icon>"
//   overlay              "overlay <left> <top> <right> <bottom> <1 when behind the taskbar>"
//   enter                presses Enter in the main window (real input); "enter"
//   hotkey <word>        presses the hot-key control's word (key in the low byte, HOTKEYF_
//                        modifiers in the high byte) with real input, wherever the focus is;
//                        "hotkey"
//   sysexit              chooses "E&xit" of the system menu; "sysexit"
//   about                chooses "About..." of the system menu; "about"
//   answer <ok|cancel>   answers the "Quit program?" box; "box <its text>", "box none" without one
//   close-about          closes the About box; "about-closed <1|0>"
//   wait-foreground <class> waits up to 20 s until a window of the class is in the
//                        foreground; "foreground <1|0>"
//   raise-overlay        puts the overlay in front of the taskbar; "raised"
//   tray-click           a left click on the tray icon, as the shell reports it; "tray-click"
//   tray-forget          deletes the program's tray icon, as a new shell would not know it;
//                        "forgot"
//   taskbar-created      broadcasts "TaskbarCreated" as a restarted shell does;
//                        "taskbar-created"
//   second <program> [arguments...]
//                        starts the program once more with the arguments and waits for it;
//                        "second-exit <code>"
//   dump <file>          reads a crash report with dbghelp: "dump <exception code in hex>
//                        <threads> <1 when the program's module is listed>", "dump none"
//   shortcut <file.lnk>  "shortcut <the program it starts, in UTF-8>", "shortcut none" when it
//                        cannot be read
//   open-settings        a real click on the settings button; "settings <rectangle>" of the
//                        settings window, "settings none" when it does not open
//   settings-tab <n>     a real click on tab n of the settings window; "tab <chosen tab>"
//   effect-dialog <row>  a real click on the gear of an effect's row (0 fire, 1 northern
//                        lights, 2 water); "effect-dialog <rectangle>" of its dialog
//   cancel-effect-dialog a real click on Cancel of the open effect dialog;
//                        "effect-dialog-closed <1 when it closed>"
//   settings-switch      real clicks on the northern lights' mark and OK of the open settings
//                        window; "settings-switch <1 when it closed>"
//   usage <label>        what the program's process holds (DriverSoak.h)
//   cycles <n>           n stops and starts of the effect; "cycles <done>"
//   windows <n>          n openings and closings of the settings window and the About box;
//                        "windows <done>"
//   hover <seconds>      the pointer over the settings button; "hovered <seconds>"
//   cover <ms> [maximised] a borderless (or maximised) window in front for ms milliseconds;
//                        "covered" once in front, "uncovered" when gone (or restored)
//   wait-overlay <1|0>   waits until the overlay shows or not; "overlay-shown <0|1> <ms>"
//   tray-menu            a real right click on the tray icon; "tray-menu <rectangle>|none"
//   tray-tip             the pointer over the tray icon; "tray-tip <rectangle of its tip>|none"
//   keys <names>         real key presses (down,up,return,escape); "keys <count>"
//   stop                 the main window's stop command; "stop"
//   serve <file>         runs the commands appended to the file until the program ends
//                        (DriverServe.h); no line of its own
#include "DriverPause.h"
#include "DriverServe.h"
#include "DriverSoak.h"
#include "E2eHelpers.h"

#include <windows.h>

#include <commctrl.h>
#include <dbghelp.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace {

constexpr const char* kTitle = "Embra desktop decoration";
constexpr UINT kExitCommand = 1012;
constexpr UINT kTrayMessage = 32771;
constexpr int kTabControl = 1016;
constexpr int kEntryHeight = 36; // a row of the settings window's effect list at 96 DPI
constexpr DWORD kPollMs = 50;
constexpr int kPolls = 400; // 20 s

HWND MainWindow() {
    return FindWindowA("#32770", kTitle);
}

std::string Number(long value) {
    return std::to_string(value);
}

std::string MainLine() {
    HWND main = MainWindow();
    if (!main)
        return "main none";
    RECT rect{};
    GetWindowRect(main, &rect);
    char text[128] = {};
    GetWindowTextA(main, text, sizeof(text));
    return "main " + Number(IsWindowVisible(main) ? 1 : 0) + " " + Number(IsIconic(main) ? 1 : 0) +
           " " + RectText(rect) + " " + Number(GetDlgItem(main, kStopCommand) ? 1 : 0) + " " + text;
}

// Waits up to 20 s until the effect runs ("1": the start button carries the stop command)
// or is stopped ("0"), then as main. The main window shows before the program starts the
// effect, and a stop or start by a key is handled after the key's event arrives.
std::string WaitRunning(const char* state) {
    const bool running = std::strcmp(state, "1") == 0;
    for (int poll = 0; poll < kPolls; ++poll) {
        HWND main = MainWindow();
        if (main && (GetDlgItem(main, kStopCommand) != nullptr) == running)
            break;
        Sleep(kPollMs);
    }
    return MainLine();
}

std::string WaitMain(const char* state) {
    const bool shown = std::strcmp(state, "shown") == 0;
    for (int poll = 0; poll < kPolls; ++poll) {
        HWND main = MainWindow();
        if (main && (IsWindowVisible(main) != FALSE) == shown)
            break;
        Sleep(kPollMs);
    }
    return MainLine();
}

// Modifying an icon succeeds only when the shell knows it.
bool HasTrayIcon(HWND main) {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof(data);
    data.hWnd = main;
    data.uID = 0;
    return main && Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

std::string OverlayLine() {
    HWND overlay = FindWindowA("LV_EmbraDrawWnd", nullptr);
    if (!overlay)
        return "overlay none";
    RECT rect{};
    GetWindowRect(overlay, &rect);
    HWND taskbar = VisibleTaskbar();
    bool behind = false;
    for (HWND window = GetTopWindow(nullptr); window && window != overlay;
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (window == taskbar)
            behind = true;
    }
    return "overlay " + RectText(rect) + " " + Number(behind ? 1 : 0);
}

void PressEnter(HWND main) {
    SetForegroundWindow(main);
    Sleep(200);
    TapKey(VK_RETURN);
    Sleep(500);
}

// The modifiers go down, the key goes down and up, the modifiers come up.
void PressHotKey(int word) {
    const BYTE modifiers = HIBYTE(word);
    INPUT keys[8] = {};
    UINT count = 0;
    auto add = [&keys, &count](WORD key, DWORD flags) {
        keys[count].type = INPUT_KEYBOARD;
        keys[count].ki.wVk = key;
        keys[count].ki.dwFlags = flags;
        ++count;
    };
    const std::pair<int, WORD> flags[] = {
        {HOTKEYF_CONTROL, VK_CONTROL}, {HOTKEYF_SHIFT, VK_SHIFT}, {HOTKEYF_ALT, VK_MENU}};
    WORD held[3] = {};
    for (int i = 0; i < 3; ++i)
        held[i] = (modifiers & flags[i].first) ? flags[i].second : 0;
    for (WORD key : held)
        if (key)
            add(key, 0);
    add(LOBYTE(word), 0);
    add(LOBYTE(word), KEYEVENTF_KEYUP);
    for (WORD key : held)
        if (key)
            add(key, KEYEVENTF_KEYUP);
    SendInput(count, keys, sizeof(INPUT));
    Sleep(500);
}

// The first non-empty static text of a window: a message box's message.
BOOL CALLBACK TakeStaticText(HWND child, LPARAM target) {
    char className[16] = {};
    char text[256] = {};
    GetClassNameA(child, className, sizeof(className));
    if (lstrcmpiA(className, "Static") != 0 || GetWindowTextA(child, text, sizeof(text)) == 0)
        return TRUE;
    *reinterpret_cast<std::string*>(target) = text;
    return FALSE;
}

// Waits for a box titled like the program that is not the main window.
HWND FindBox(const char* title) {
    for (int poll = 0; poll < kPolls / 2; ++poll) {
        for (HWND box = FindWindowExA(nullptr, nullptr, "#32770", title); box;
             box = FindWindowExA(nullptr, box, "#32770", title)) {
            if (!GetDlgItem(box, kStopCommand) && !GetDlgItem(box, kStartCommand) &&
                IsWindowVisible(box))
                return box;
        }
        Sleep(kPollMs);
    }
    return nullptr;
}

bool WaitForForeground(const char* className) {
    for (int poll = 0; poll < kPolls; ++poll) {
        const HWND window = FindWindowA(className, nullptr);
        if (window && GetForegroundWindow() == window)
            return true;
        Sleep(kPollMs);
    }
    return false;
}

std::string Answer(const char* button) {
    HWND box = FindBox(kTitle);
    if (!box)
        return "box none";
    std::string text;
    EnumChildWindows(box, TakeStaticText, reinterpret_cast<LPARAM>(&text));
    const WPARAM id = std::strcmp(button, "ok") == 0 ? IDOK : IDCANCEL;
    PostMessageA(box, WM_COMMAND, id, 0);
    return "box " + text;
}

std::string FileVersion(const char* program) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(program, &ignored);
    std::string block(size, '\0');
    if (size == 0 || !GetFileVersionInfoA(program, 0, size, block.data()))
        return "version none";
    char* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\FileVersion",
                        reinterpret_cast<void**>(&text), &length) ||
        !text)
        return "version none";
    return std::string("version ") + text;
}

// A real left click at a point of a window's client area. Every event carries the point
// itself: a click that relied on SetCursorPos could land where a late pointer-motion event
// from the X server had put the cursor back.
void ClickAt(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    MouseAt(point.x, point.y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    Sleep(400);
}

void ClickCentre(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    ClickAt(window, client.right / 2, client.bottom / 2);
}

std::string RectLine(const char* name, HWND window) {
    if (!window)
        return std::string(name) + " none";
    RECT rect{};
    GetWindowRect(window, &rect);
    return std::string(name) + " " + RectText(rect);
}

// The settings window, in any language: the shown dialog that holds its tab control.
HWND SettingsWindow() {
    for (HWND window = FindWindowA("#32770", nullptr); window;
         window = FindWindowExA(nullptr, window, "#32770", nullptr)) {
        HWND tab = GetDlgItem(window, kTabControl);
        char className[32] = {};
        if (IsWindowVisible(window) && tab && GetClassNameA(tab, className, sizeof className) &&
            std::strcmp(className, WC_TABCONTROLA) == 0)
            return window;
    }
    return nullptr;
}

// The navigation pane on the settings window's "Items list" page.
HWND SettingsPane() {
    HWND settings = SettingsWindow();
    HWND pane = nullptr;
    for (HWND page = FindWindowExA(settings, nullptr, "#32770", nullptr); page && !pane;
         page = FindWindowExA(settings, page, "#32770", nullptr))
        pane = FindWindowExA(page, nullptr, "LV_NavigatePane", nullptr);
    return pane;
}

// A real click on the main window's settings button; "settings <window rectangle>".
std::string OpenSettings(HWND main) {
    SetForegroundWindow(main);
    Sleep(200);
    ClickCentre(GetDlgItem(main, kSettingsCommand));
    HWND settings = nullptr;
    for (int poll = 0; poll < kPolls && !settings; ++poll) {
        settings = SettingsWindow();
        if (!settings)
            Sleep(kPollMs);
    }
    return RectLine("settings", settings);
}

// The rectangle of a tab, asked across processes: the tab control writes it into memory
// of its own process, from where it is read back.
bool TabRect(HWND tab, int position, RECT& rect) {
    DWORD process = 0;
    GetWindowThreadProcessId(tab, &process);
    HANDLE owner = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, process);
    if (!owner)
        return false;
    void* remote = VirtualAllocEx(owner, nullptr, sizeof rect, MEM_COMMIT, PAGE_READWRITE);
    const bool read = remote &&
                      SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(position),
                                   reinterpret_cast<LPARAM>(remote)) &&
                      ReadProcessMemory(owner, remote, &rect, sizeof rect, nullptr);
    if (remote)
        VirtualFreeEx(owner, remote, 0, MEM_RELEASE);
    CloseHandle(owner);
    return read;
}

// A real click on a tab of the settings window; "tab <the tab chosen now>".
std::string ClickTab(const char* position) {
    HWND tab = GetDlgItem(SettingsWindow(), kTabControl);
    RECT item{};
    if (!tab || !TabRect(tab, std::atoi(position), item))
        return "tab none";
    ClickAt(tab, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    return "tab " + Number(static_cast<long>(SendMessageA(tab, TCM_GETCURSEL, 0, 0)));
}

// The titles of the effects' dialogs, in the order of their rows in the settings window.
constexpr const char* kEffectDialogTitles[] = {"Embra settings", "Northern Lights settings",
                                               "Ripla settings"};

// The height of a row of the settings window's effect list: 36 pixels at 96 DPI, scaled
// with the pane's DPI and rounded as the pane rounds it.
int EntryHeight(HWND pane) {
    HDC dc = GetDC(pane);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc)
        ReleaseDC(pane, dc);
    return (kEntryHeight * dpi + 48) / 96;
}

// A real click on the gear at the left of an effect's row; "effect-dialog <its rectangle>".
std::string OpenEffectDialog(const char* rowText) {
    const int row = std::atoi(rowText);
    HWND pane = SettingsPane();
    if (!pane || row < 0 || row > 2)
        return "effect-dialog none";
    const int height = EntryHeight(pane);
    ClickAt(pane, height / 2, row * height + height / 2);
    return RectLine("effect-dialog", WaitForWindow("#32770", kEffectDialogTitles[row]));
}

HWND OpenEffectDialogWindow() {
    for (const char* title : kEffectDialogTitles)
        if (HWND dialog = FindWindowA("#32770", title))
            return dialog;
    return nullptr;
}

// A real click on a dialog's button; "<name> <1 when the dialog closed>".
std::string PressAndWait(const char* name, HWND dialog, int button) {
    if (!dialog)
        return std::string(name) + " none";
    ClickCentre(GetDlgItem(dialog, button));
    for (int poll = 0; poll < kPolls && IsWindow(dialog); ++poll)
        Sleep(kPollMs);
    return std::string(name) + " " + (IsWindow(dialog) ? "0" : "1");
}

// Real clicks on the mark of the second row (the northern lights) and on OK of the open
// settings window; "settings-switch <1 when the window closed>".
std::string SwitchInSettings() {
    HWND pane = SettingsPane();
    if (pane) {
        RECT client{};
        GetClientRect(pane, &client);
        const int height = EntryHeight(pane);
        ClickAt(pane, client.right - height / 2, height + height / 2);
    }
    return PressAndWait("settings-switch", SettingsWindow(), IDOK);
}

// The target of a shell link, read from its item list: the list keeps every folder's
// Unicode name, where Wine's GetPath gives the link's code-page copy of the path.
std::string ShortcutTarget(const char* file) {
    std::string line = "shortcut none";
    if (FAILED(CoInitialize(nullptr)))
        return line;
    IShellLinkW* link = nullptr;
    IPersistFile* persist = nullptr;
    wchar_t name[MAX_PATH] = L"";
    wchar_t target[MAX_PATH] = L"";
    LPITEMIDLIST items = nullptr;
    char utf8[4 * MAX_PATH] = "";
    MultiByteToWideChar(CP_ACP, 0, file, -1, name, MAX_PATH);
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
        SUCCEEDED(persist->Load(name, STGM_READ)) && SUCCEEDED(link->GetIDList(&items)) &&
        SHGetPathFromIDListW(items, target) &&
        WideCharToMultiByte(CP_UTF8, 0, target, -1, utf8, sizeof utf8, nullptr, nullptr) > 0)
        line = std::string("shortcut ") + utf8;
    CoTaskMemFree(items);
    if (persist)
        persist->Release();
    if (link)
        link->Release();
    CoUninitialize();
    return line;
}

// Whether the minidump at `base` lists a module named embra.exe.
bool ListsProgram(void* base) {
    void* stream = nullptr;
    ULONG size = 0;
    if (!MiniDumpReadDumpStream(base, ModuleListStream, nullptr, &stream, &size) || !stream)
        return false;
    const auto* modules = static_cast<MINIDUMP_MODULE_LIST*>(stream);
    for (ULONG i = 0; i < modules->NumberOfModules; ++i) {
        const auto* name = reinterpret_cast<const MINIDUMP_STRING*>(
            static_cast<const char*>(base) + modules->Modules[i].ModuleNameRva);
        const std::wstring path(name->Buffer, name->Length / sizeof(WCHAR));
        const std::size_t slash = path.find_last_of(L"\\/");
        if (lstrcmpiW(path.substr(slash == std::wstring::npos ? 0 : slash + 1).c_str(),
                      L"embra.exe") == 0)
            return true;
    }
    return false;
}

// The exception, the threads and the modules of a minidump, as MiniDumpReadDumpStream reads
// them from the file mapped whole.
std::string DumpLine(const char* file) {
    HANDLE opened =
        CreateFileA(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return "dump none";
    HANDLE mapping = CreateFileMappingA(opened, nullptr, PAGE_READONLY, 0, 0, nullptr);
    void* base = mapping ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
    void* stream = nullptr;
    ULONG size = 0;
    std::string line = "dump none";
    if (base && MiniDumpReadDumpStream(base, ExceptionStream, nullptr, &stream, &size) && stream) {
        char code[16];
        std::snprintf(
            code, sizeof(code), "%08x",
            static_cast<MINIDUMP_EXCEPTION_STREAM*>(stream)->ExceptionRecord.ExceptionCode);
        ULONG threads = 0;
        if (MiniDumpReadDumpStream(base, ThreadListStream, nullptr, &stream, &size) && stream)
            threads = static_cast<MINIDUMP_THREAD_LIST*>(stream)->NumberOfThreads;
        line = std::string("dump ") + code + " " + Number(static_cast<long>(threads)) + " " +
               Number(ListsProgram(base) ? 1 : 0);
    }
    if (base)
        UnmapViewOfFile(base);
    if (mapping)
        CloseHandle(mapping);
    CloseHandle(opened);
    return line;
}

std::string Run(const char* report, const std::string& command, const char* argument,
                const char* more) {
    HWND main = MainWindow();
    if (command == "main")
        return MainLine();
    if (command == "wait-main")
        return WaitMain(argument);
    if (command == "wait-running")
        return WaitRunning(argument);
    if (command == "tray")
        return "tray " + Number(HasTrayIcon(main) ? 1 : 0);
    if (command == "overlay")
        return OverlayLine();
    if (command == "enter") {
        PressEnter(main);
        return "enter";
    }
    if (command == "hotkey") {
        PressHotKey(std::atoi(argument));
        return "hotkey";
    }
    if (command == "sysexit" || command == "about") {
        PostMessageA(main, WM_SYSCOMMAND, command == "about" ? kAboutCommand : kExitCommand, 0);
        return command;
    }
    if (command == "answer")
        return Answer(argument);
    if (command == "wait-foreground")
        return "foreground " + Number(WaitForForeground(argument) ? 1 : 0);
    if (command == "close-about") {
        HWND box = FindBox("About ");
        if (box)
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        return "about-closed " + Number(box ? 1 : 0);
    }
    if (command == "raise-overlay") {
        SetWindowPos(FindWindowA("LV_EmbraDrawWnd", nullptr), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return "raised";
    }
    if (command == "tray-click") {
        PostMessageA(main, kTrayMessage, 0, WM_MOUSEMOVE);
        PostMessageA(main, kTrayMessage, 0, WM_LBUTTONUP);
        Sleep(500);
        return command;
    }
    if (command == "tray-forget") {
        NOTIFYICONDATAA data{};
        data.cbSize = sizeof(data);
        data.hWnd = main;
        Shell_NotifyIconA(NIM_DELETE, &data);
        return "forgot";
    }
    if (command == "taskbar-created") {
        SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0,
                            SMTO_ABORTIFHUNG, 5000, nullptr);
        Sleep(500);
        return "taskbar-created";
    }
    if (command == "second")
        return "second-exit " + Number(RunProgram(argument, more, 30000));
    if (command == "dump")
        return DumpLine(argument);
    if (command == "version")
        return FileVersion(argument);
    if (command == "shortcut")
        return ShortcutTarget(argument);
    if (command == "open-settings")
        return OpenSettings(main);
    if (command == "settings-tab")
        return ClickTab(argument);
    if (command == "effect-dialog")
        return OpenEffectDialog(argument);
    if (command == "cancel-effect-dialog")
        return PressAndWait("effect-dialog-closed", OpenEffectDialogWindow(), IDCANCEL);
    if (command == "settings-switch")
        return SwitchInSettings();
    if (command == "usage")
        return UsageLine(main, argument);
    if (command == "cycles")
        return StartStopCycles(main, std::atoi(argument));
    if (command == "windows")
        return OpenCloseWindows(main, std::atoi(argument));
    if (command == "hover")
        return HoverSettingsButton(main, std::atoi(argument));
    if (command == "cover")
        return CoverScreen(report, std::atoi(argument), std::strcmp(more, "maximised") == 0);
    if (command == "wait-overlay")
        return WaitOverlay(argument);
    if (command == "tray-menu")
        return OpenTrayMenu();
    if (command == "tray-tip")
        return HoverTrayIcon();
    if (command == "keys")
        return PressKeys(argument);
    if (command == "stop") {
        PostMessageA(main, WM_COMMAND, kStopCommand, 0);
        return command;
    }
    return "unknown " + command;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 3)
        return 2;
    const char* argument = __argc > 3 ? __argv[3] : "";
    // The words after the argument, as one text: a shell or Wine may split them.
    std::string more;
    for (int i = 4; i < __argc; ++i)
        more += (i > 4 ? " " : "") + std::string(__argv[i]);
    const char* report = __argv[1];
    if (std::strcmp(__argv[2], "serve") == 0) {
        ServeCommands(report, argument,
                      [report](const std::string& command, const std::string& served,
                               const std::string& words) {
                          return Run(report, command, served.c_str(), words.c_str());
                      });
        return 0;
    }
    return ReportLine(report, "a", Run(report, __argv[2], argument, more.c_str())) ? 0 : 3;
}
