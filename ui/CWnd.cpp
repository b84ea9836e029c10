#include "ui/CWnd.h"

#include "graphics/GdiOwners_win.h"
#include "ui/MessageCrackers.h"
#include "ui/WindowFactory.h"

#include <cstring>

namespace {

constexpr int kClassNameChars = 128;
constexpr UINT kBlockedFlashes = 5;
constexpr DWORD kBlockedFlashIntervalMs = 200;

// The factory entry of the window's class; false when the class has none.
bool FactoryOfWindow(HWND window, WindowFactory& factory) {
    char className[kClassNameChars] = "";
    return GetClassNameA(window, className, kClassNameChars) > 0 &&
           FindWindowFactory(className, factory);
}

// The messages a blocking window refuses: keys, mouse buttons and being activated.
bool IsUserInput(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return true;
    case WM_ACTIVATE:
        return IsActivation(wParam);
    default:
        return false;
    }
}

} // namespace

CWnd* CWnd::FromHandle(HWND window) {
    return window ? static_cast<CWnd*>(GetPropA(window, kEntityProperty)) : nullptr;
}

bool CWnd::HasClassName(HWND window, const char* className) {
    char actual[kClassNameChars] = "";
    return window && ::GetClassNameA(window, actual, kClassNameChars) > 0 &&
           std::strcmp(actual, className) == 0;
}

CWnd::~CWnd() {
    if (!window)
        return;
    if (attached)
        Detach();
    else
        Destroy();
}

bool CWnd::Register() {
    bool* registered = GetRegisteredFlag();
    if (!*registered)
        *registered = RegisterWndClass() != 0;
    return *registered;
}

ATOM CWnd::RegisterWndClass() {
    WNDCLASSEXA description{};
    description.cbSize = sizeof description;
    description.style = CS_HREDRAW | CS_VREDRAW;
    description.lpfnWndProc = SharedWindowProc;
    description.hInstance = GetModuleHandleA(nullptr);
    description.hCursor = LoadCursor(nullptr, IDC_ARROW);
    description.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    description.lpszClassName = GetClassName();
    PreRegisterClass(description);
    return RegisterClassExA(&description);
}

void CWnd::PreRegisterClass(WNDCLASSEXA&) {}

int CWnd::Create(DWORD exStyle, DWORD style, int x, int y, int width, int height, HWND parent,
                 HMENU menuOrId) {
    if (IsCreated())
        return 0;
    Register();
    Destroy();
    // The shared window procedure sets the handle at WM_NCCREATE already.
    window = CreateWindowExA(exStyle, GetClassName(), "", style, x, y, width, height, parent,
                             menuOrId, GetModuleHandleA(nullptr), this);
    return window != nullptr;
}

int CWnd::Create(DWORD exStyle, DWORD style, HWND parent, HMENU menuOrId) {
    return Create(exStyle, style, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, parent, menuOrId);
}

int CWnd::RunModalLoop() {
    bool quit = false;
    int quitCode = 0;
    while (IsCreated()) {
        MSG message{};
        const BOOL fetched = GetMessageA(&message, nullptr, 0, 0);
        if (fetched == -1)
            break;
        if (fetched == 0) {
            quit = true;
            quitCode = static_cast<int>(message.wParam);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // A quit request that arrived meanwhile is handed on to the loop outside.
    if (quit)
        PostQuitMessage(quitCode);
    return 1;
}

int CWnd::Destroy() {
    int result = 0;
    if (window)
        result = attached ? Detach() : DestroyWindow(window);
    window = nullptr;
    attached = false;
    previousProc = nullptr;
    return result;
}

int CWnd::Attach(HWND newWindow) {
    if (attached)
        Detach();
    window = newWindow;
    attached = true;
    return 1;
}

int CWnd::Detach() {
    if (!attached)
        return 0;
    // A window that outlives its object must not keep pointing at it.
    if (window && FromHandle(window) == this)
        RemovePropA(window, kEntityProperty);
    window = nullptr;
    attached = false;
    return 1;
}

bool CWnd::IsCreated() {
    return window && IsWindow(window);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (RefusedByBlockingWindow(message, wParam))
        return 0;
    LRESULT result = 0;
    if (Dispatch(message, wParam, lParam, result))
        return result;
    return DefaultProc(message, wParam, lParam);
}

bool CWnd::RefusedByBlockingWindow(UINT message, WPARAM wParam) {
    if (!blockingWindow)
        return false;
    if (!IsWindow(blockingWindow)) {
        blockingWindow = nullptr;
        return false;
    }
    if (!IsUserInput(message, wParam))
        return false;
    SetForegroundWindow(blockingWindow);
    FLASHWINFO flash{sizeof flash, blockingWindow, FLASHW_CAPTION | FLASHW_TIMER, kBlockedFlashes,
                     kBlockedFlashIntervalMs};
    FlashWindowEx(&flash);
    return true;
}

bool CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_NCCREATE:
        result = OnNcCreate(reinterpret_cast<const CREATESTRUCTA*>(lParam));
        return true;
    case WM_CREATE:
        result = OnCreate(reinterpret_cast<const CREATESTRUCTA*>(lParam));
        return true;
    case WM_DESTROY:
        result = OnDestroy();
        return true;
    case WM_SIZE: {
        const SizeArgs size = SizeArgsOf(wParam, lParam);
        result = OnSize(size.type, size.width, size.height);
        return true;
    }
    case WM_PAINT:
        result = OnPaint();
        return true;
    case WM_COMMAND:
        result =
            OnCommand(CommandIdOf(wParam), CommandCodeOf(wParam), reinterpret_cast<HWND>(lParam));
        return true;
    case WM_TIMER:
        result = OnTimer(wParam);
        return true;
    case WM_MOUSEWHEEL: {
        const WheelArgs wheel = WheelArgsOf(wParam, lParam);
        result = OnMouseWheel(wheel.keys, wheel.delta, wheel.screen.x, wheel.screen.y);
        return true;
    }
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return false;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return DispatchMouse(message, MouseArgsOf(wParam, lParam), result);
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
        return DispatchKey(message, KeyArgsOf(wParam, lParam), result);
    default:
        return false;
    }
}

bool CWnd::DispatchMouse(UINT message, const MouseArgs& mouse, LRESULT& result) {
    const auto [keys, point] = mouse;
    switch (message) {
    case WM_MOUSEMOVE:
        result = OnMouseMove(keys, point.x, point.y);
        return true;
    case WM_LBUTTONDOWN:
        result = OnLButtonDown(keys, point.x, point.y);
        return true;
    case WM_LBUTTONUP:
        result = OnLButtonUp(keys, point.x, point.y);
        return true;
    case WM_RBUTTONDOWN:
        result = OnRButtonDown(keys, point.x, point.y);
        return true;
    case WM_RBUTTONUP:
        result = OnRButtonUp(keys, point.x, point.y);
        return true;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(keys, point.x, point.y);
        return false;
    default:
        return false;
    }
}

bool CWnd::DispatchKey(UINT message, const KeyArgs& key, LRESULT& result) {
    switch (message) {
    case WM_SYSKEYDOWN:
        result = OnSysKeyDown(key.key, key.repeat, key.flags);
        return result != 0; // unhandled system keys (Alt+F4, Alt+Space) go on to the default
    case WM_SYSKEYUP:
        result = OnSysKeyUp(key.key, key.repeat, key.flags);
        return result != 0;
    case WM_KEYDOWN:
        OnKeyDown(key.key, key.repeat, key.flags);
        return false;
    case WM_KEYUP:
        OnKeyUp(key.key, key.repeat, key.flags);
        return false;
    default:
        return false;
    }
}

LRESULT CWnd::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (previousProc)
        return CallWindowProcA(previousProc, window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

int CWnd::OnNcCreate(const CREATESTRUCTA*) {
    return 1;
}

int CWnd::OnCreate(const CREATESTRUCTA*) {
    return 0;
}

int CWnd::OnDestroy() {
    return 0;
}

int CWnd::OnCommand(UINT, UINT, HWND) {
    return 0;
}

int CWnd::OnPaint() {
    const CPaintDc validated(window);
    return 0;
}

int CWnd::Redraw(bool erase) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | (erase ? RDW_ERASE : 0));
    return 0;
}

void CWnd::SetBlockingWindow(HWND blocking) {
    blockingWindow = blocking;
}

void CWnd::ClearBlockingWindow() {
    blockingWindow = nullptr;
}

int CWnd::OnMouseMove(UINT, int, int) {
    return 0;
}

int CWnd::OnMouseWheel(UINT, int, int, int) {
    return 0;
}

int CWnd::OnLButtonDown(UINT, int, int) {
    return 0;
}

int CWnd::OnLButtonUp(UINT, int, int) {
    return 0;
}

int CWnd::OnRButtonDown(UINT, int, int) {
    return 0;
}

int CWnd::OnRButtonUp(UINT, int, int) {
    return 0;
}

void CWnd::OnMouseLeave() {}

void CWnd::OnLButtonDblClk(UINT, int, int) {}

void CWnd::OnKeyDown(UINT, UINT, UINT) {}

void CWnd::OnKeyUp(UINT, UINT, UINT) {}

int CWnd::OnSysKeyDown(UINT, UINT, UINT) {
    return 0;
}

int CWnd::OnSysKeyUp(UINT, UINT, UINT) {
    return 0;
}

int CWnd::OnSize(UINT, int, int) {
    return 0;
}

int CWnd::OnTimer(UINT_PTR) {
    return 0;
}

LRESULT CALLBACK CWnd::SharedWindowProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
    switch (message) {
    case WM_SETFONT:
        return 0;
    case WM_NCCREATE:
        return OnNcCreateMessage(window, wParam, lParam);
    case WM_DESTROY:
        return OnDestroyMessage(window, FromHandle(window), wParam, lParam);
    default:
        break;
    }
    CWnd* object = FromHandle(window);
    return object ? CountedWindowProc(object, message, wParam, lParam)
                  : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CWnd::CountedWindowProc(CWnd* object, UINT message, WPARAM wParam, LPARAM lParam) {
    ++object->handlerDepth;
    const LRESULT result = object->WindowProc(message, wParam, lParam);
    if (--object->handlerDepth == 0 && object->pendingDelete)
        object->pendingDelete(object);
    return result;
}

LRESULT CWnd::OnNcCreateMessage(HWND window, WPARAM wParam, LPARAM lParam) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (!creation)
        return 0;
    // Created through Create: the object came as creation data. Made by the dialog
    // manager from a template: the factory of the class, if any, makes one.
    auto* object = static_cast<CWnd*>(creation->lpCreateParams);
    WindowFactory factory{};
    if (object) {
        object->window = window;
    } else if (FactoryOfWindow(window, factory)) {
        object = factory.create(window);
        if (object)
            object->createdByFactory = true;
    }
    if (!object)
        return DefWindowProcA(window, WM_NCCREATE, wParam, lParam);
    SetPropA(window, kEntityProperty, object);
    const LRESULT result = object->WindowProc(WM_NCCREATE, wParam, lParam);
    // A refused creation ends without WM_DESTROY: let go of the object here.
    if (!result)
        Forget(window, object);
    return result;
}

void CWnd::Forget(HWND window, CWnd* object) {
    RemovePropA(window, kEntityProperty);
    WindowFactory factory{};
    if (!object->createdByFactory) {
        // The object outlives its window: it holds no handle that could be reused.
        object->window = nullptr;
        object->attached = false;
        return;
    }
    const WindowDeleteFunction destroy =
        FactoryOfWindow(window, factory) ? factory.destroy : [](CWnd* made) { delete made; };
    // A handler of the object is still running (a modal loop inside it let the window
    // die): the object goes when that handler returns.
    if (object->handlerDepth > 0)
        object->pendingDelete = destroy;
    else
        destroy(object);
}

LRESULT CWnd::OnDestroyMessage(HWND window, CWnd* object, WPARAM wParam, LPARAM lParam) {
    if (object) {
        object->WindowProc(WM_DESTROY, wParam, lParam);
        Forget(window, object);
    }
    return DefWindowProcA(window, WM_DESTROY, wParam, lParam);
}
