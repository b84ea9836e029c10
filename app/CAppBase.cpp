#include "app/CAppBase.h"

CAppBase::CAppBase() : instance(GetModuleHandleA(nullptr)), store(true, "", "") {}

bool CAppBase::Init() {
    return !title.IsEmpty();
}

bool CAppBase::Exit() {
    exited = true;
    PostQuitMessage(0);
    return true;
}

int CAppBase::RequestExit() {
    static bool running = false;
    if (running)
        return 0;
    running = true;
    Quit();
    running = false;
    return 1;
}

void CAppBase::Quit() {
    HWND mainWindow = MainWindowHandle();
    Exit();
    if (mainWindow)
        DestroyWindow(mainWindow);
}
