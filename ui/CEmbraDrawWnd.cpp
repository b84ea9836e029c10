#include "ui/CEmbraDrawWnd.h"

CEmbraDrawWnd::~CEmbraDrawWnd() {
    Destroy();
}

bool CEmbraDrawWnd::Register(HINSTANCE module) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(module, kClassName, &existing))
        return true;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExA(&windowClass) != 0;
}

bool CEmbraDrawWnd::Create(HINSTANCE module) {
    Destroy();
    if (!Register(module))
        return false;
    window = CreateWindowExA(kExStyle, kClassName, "", kStyle, 0, 0, 0, 0, nullptr, nullptr, module,
                             nullptr);
    return window != nullptr;
}

void CEmbraDrawWnd::Destroy() {
    if (window)
        DestroyWindow(window);
    window = nullptr;
}
