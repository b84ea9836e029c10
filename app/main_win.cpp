#include "app/CWpp.h"
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

// The one application object, constructed before the entry point runs and destroyed
// after it returns.
CWpp app;

// Runs until the quit message; its wParam is the program's exit code. The main dialog
// sees every message first, so that its keyboard interface (Enter, Esc, Tab) works. An
// error result of GetMessageA (-1) ends the loop as well instead of spinning on it.
int RunMessageLoop() {
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

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    LoadLibrariesFromSystemFolderOnly();
    // The dialogs hold trackbars, up-down controls, a tab control, a hot-key control and
    // list views.
    const INITCOMMONCONTROLSEX controls{
        sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                              ICC_TAB_CLASSES | ICC_HOTKEY_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    if (!app.Init()) {
        if (!app.errorText.IsEmpty())
            ShowUiMessage(nullptr, app.errorText, UiText(app.instance, IDS_ERROR),
                          MB_SYSTEMMODAL | MB_ICONERROR | MB_OK);
        return 1;
    }
    const int code = RunMessageLoop();
    // The workers present through the overlay of this thread: they stop before the
    // application object goes.
    app.Controller().Stop();
    return code;
}
