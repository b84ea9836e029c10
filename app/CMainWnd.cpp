#include "app/CMainWnd.h"

#include "app/CAppBase.h"

namespace {

constexpr const char* kClassName = "LV_EmbraMainWnd";

bool RegisterMainClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    if (GetClassInfoExA(instance, kClassName, &windowClass))
        return true;
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    return RegisterClassExA(&windowClass) != 0;
}

} // namespace

CMainWnd::~CMainWnd() {
    if (handle)
        DestroyWindow(handle);
}

bool CMainWnd::Create(const tstr& title) {
    if (!RegisterMainClass(app->instance, &CMainWnd::WindowProc))
        return false;
    handle = CreateWindowExA(0, kClassName, title.str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             app->instance, this);
    return handle != nullptr;
}

LRESULT CALLBACK CMainWnd::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // The object comes with the creation parameters; it is bound before any other
        // message arrives.
        auto* created = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<CMainWnd*>(created->lpCreateParams);
        self->handle = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CMainWnd*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    return self->OnMessage(message, wParam, lParam);
}

LRESULT CMainWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = handle;
    switch (message) {
    case WM_CLOSE:
        app->OnCloseRequest();
        return 0;
    case WM_ENDSESSION:
        // The process may end as soon as this returns: settle everything now.
        if (wParam && !app->HasExited())
            app->Quit();
        return 0;
    case WM_SETTINGCHANGE:
        app->OnSettingChange();
        break;
    case WM_DESTROY:
        handle = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
