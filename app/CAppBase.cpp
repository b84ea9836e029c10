#include "app/CAppBase.h"

#include "app/CStartupShortcut.h"
#include "graphics/GdiOwners_win.h"
#include "params/StorePaths.h"
#include "resources/resource.h"
#include "ui/UiText.h"

namespace {

int ReadScreenDpi() {
    const CWindowDc screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSX);
}

} // namespace

CAppBase::CAppBase()
    : instance(GetModuleHandleA(nullptr)), rootSet(&store), startWithWindows(false),
      confirmExit(true), store(true, "", "") {
    osVersion.dwOSVersionInfoSize = sizeof(osVersion);
    GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&osVersion));
}

CAppBase::~CAppBase() = default;

bool CAppBase::Init() {
    if (title.IsEmpty())
        return false;
    screenDpi = ReadScreenDpi();
    firstRun = !store.KeyExists(kMainWindowPath);
    if (firstRun)
        ApplyStartWithWindows();
    ReadStartWithWindows();
    rootSet.Add(&confirmExit, "ConfirmExit");
    return true;
}

bool CAppBase::Exit() {
    rootSet.RemoveAll();
    PostQuitMessage(0);
    return true;
}

bool CAppBase::Load() {
    rootSet.LoadFrom(kCommonOptionsPath);
    return true;
}

bool CAppBase::Save() {
    rootSet.SaveTo(kCommonOptionsPath);
    return true;
}

void CAppBase::Reset(bool deleteSettings) {
    if (deleteSettings) {
        store.DeleteKey("");
        startWithWindows.Set(false);
        ApplyStartWithWindows();
    }
    PostQuitMessage(0);
}

int CAppBase::RequestExit() {
    static bool running = false;
    if (running)
        return 0;
    running = true;
    const bool quit = !*confirmExit.Get() ||
                      ShowUiMessage(MainWindowHandle(), UiText(instance, IDS_QUIT), title,
                                    MB_SYSTEMMODAL | MB_ICONQUESTION | MB_OKCANCEL) == IDOK;
    if (quit)
        Quit();
    running = false;
    return quit ? 1 : 0;
}

void CAppBase::Quit() {
    HWND mainWindow = MainWindowHandle();
    Exit();
    if (mainWindow)
        DestroyWindow(mainWindow);
}

void CAppBase::ApplyStartWithWindows() {
    CStartupShortcut(title).Apply(*startWithWindows.Get());
}

void CAppBase::ReadStartWithWindows() {
    startWithWindows.Set(CStartupShortcut(title).Exists());
}
