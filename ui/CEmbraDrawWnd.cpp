#include "ui/CEmbraDrawWnd.h"

#include "ui/WindowFactory.h"

CEmbraDrawWnd::~CEmbraDrawWnd() = default;

bool* CEmbraDrawWnd::GetRegisteredFlag() {
    return &registered;
}

LRESULT CEmbraDrawWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE)
        return 0;
    if (message == WM_DESTROY && onDestroy)
        onDestroy();
    return CWnd::WindowProc(message, wParam, lParam);
}

const char* CEmbraDrawWnd::GetClassName() {
    return kClassName;
}

bool CEmbraDrawWnd::RegisterFactory() {
    return RegisterFactoryOf<CEmbraDrawWnd>();
}
