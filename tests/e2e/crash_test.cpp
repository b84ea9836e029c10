// The program as shipped plus a hidden switch that makes it fail once it is up, for the
// crash reports' end-to-end test; built beside the tests, never packaged. The switch comes
// first and is taken off before the program reads its command line:
//   /crash main     a null write on the main thread, outside any window procedure
//   /crash worker   a null write on a thread started as the render workers are (std::thread)
//   /crash window   a null write in the main window's procedure, in a message that another
//                   thread sends (which reaches the procedure through the kernel)
#include "app/CWpp.h"
#include "app/CommandSender.h"
#include "app/ProgramMain.h"

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kFailMessage = WM_APP + 40;
WNDPROC mainProcedure = nullptr;

void WriteToNull() {
    volatile int* volatile nowhere = nullptr;
    *nowhere = 1;
}

LRESULT CALLBACK FailingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kFailMessage)
        WriteToNull();
    return CallWindowProcW(mainProcedure, window, message, wParam, lParam);
}

void Fail(const std::string& where, HWND mainWindow) {
    if (where == "main") {
        WriteToNull();
    } else if (where == "worker") {
        std::thread(WriteToNull).detach();
    } else if (where == "window") {
        mainProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FailingProcedure)));
        std::thread([mainWindow] { SendMessageW(mainWindow, kFailMessage, 0, 0); }).detach();
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::vector<std::string> arguments = ProgramArguments();
    std::string where;
    if (arguments.size() >= 2 && arguments[0] == "/crash") {
        where = arguments[1];
        arguments.erase(arguments.begin(), arguments.begin() + 2);
    }
    return RunProgram(arguments, [where](CWpp& app) { Fail(where, app.MainDialogHandle()); });
}
