#include "app/ProgramMain.h"

#include "app/CCrashReporter.h"
#include "app/CWpp.h"
#include "app/CommandSender.h"
#include "app/CrashFolder.h"
#include "app/CrashNotice.h"
#include "app/TrayIcon.h"
#include "params/Utf16_win.h"
#include "resources/resource.h"
#include "ui/UiText.h"

#include <windows.h>

#include <commctrl.h>

namespace {

// Every library the process loads from now on, also those that the system loads for it,
// comes from the system folder, never from the program's folder (a Downloads folder, say)
// or the current one. Looked up at run time: systems without the update that brought it
// start the program all the same.
void LoadLibrariesFromSystemFolderOnly() {
    using SetDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    FARPROC address = kernel ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
    if (address)
        reinterpret_cast<SetDirectoriesFunction>(reinterpret_cast<void (*)()>(address))(
            LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// Runs until the quit message; its wParam is the program's exit code. The main dialog
// sees every message first, so that its keyboard interface (Enter, Esc, Tab) works. An
// error result of GetMessageA (-1) ends the loop as well instead of spinning on it.
int RunMessageLoop(CWpp& app) {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        HWND dialog = app.MainDialogHandle();
        if (dialog && IsDialogMessageA(dialog, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

// What the command line asks before the program starts: -1 to start it, else the exit
// code of a command handed to the running copy or of a command line refused.
int HandOverCommand(CWpp& app, const std::vector<std::string>& arguments) {
    const std::vector<std::string> keys = app.EffectKeys();
    const CommandLine line = ParseCommandLine(arguments, keys);
    if (line.error != CommandError::None) {
        if (!line.quiet)
            ShowCommandLineError(app.instance, Utf16(app.title), line, keys);
        return kExitBadArguments;
    }
    const Command& command = line.command;
    if (command.kind == CommandKind::None)
        return -1;
    if (HWND running = app.RunningInstance())
        return SendCommand(running, command);
    if (NeedsRunningCopy(command.kind))
        return kExitNoRunningCopy;
    if (command.kind == CommandKind::Effect)
        app.ChooseAtStart(command.effect);
    return -1;
}

} // namespace

int RunProgram(const std::vector<std::string>& arguments,
               const std::function<void(CWpp&)>& started) {
    LoadLibrariesFromSystemFolderOnly();
    // Made first and gone last: a failure anywhere in between leaves a report.
    static CCrashReporter crashes;
    const std::wstring reports = CrashReportFolder();
    const bool reporting = crashes.Install(reports, Utf16(ProgramVersion()));
    // The dialogs hold trackbars, up-down controls, a tab control, a hot-key control and
    // list views.
    const INITCOMMONCONTROLSEX controls{
        sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                              ICC_TAB_CLASSES | ICC_HOTKEY_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    // The one application object, made on the first call and gone after the entry point
    // returns.
    static CWpp app;
    const int handedOver = HandOverCommand(app, arguments);
    if (handedOver >= 0)
        return handedOver;
    if (!app.Init()) {
        if (!app.errorText.IsEmpty())
            ShowUiMessage(nullptr, app.errorText, UiText(app.instance, IDS_ERROR),
                          MB_SYSTEMMODAL | MB_ICONERROR | MB_OK);
        return 1;
    }
    if (reporting) {
        crashes.SaveThrough(app.MainDialogHandle(), CMainDlg::kSaveForCrash, GetCurrentThreadId());
        TellOfCrashReport(app.instance, reports, app.store, Utf16(app.title));
    }
    if (started)
        started(app);
    const int code = RunMessageLoop(app);
    // The workers present through the overlay of this thread: they stop before the
    // application object goes.
    app.Controller().Stop();
    return code;
}
