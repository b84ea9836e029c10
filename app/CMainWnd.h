#pragma once

#include "params/tstr.h"

#include <windows.h>

class CAppBase;

// The program's hidden top-level window. It carries the application title as its text
// and hands the application the requests to end (WM_CLOSE, the end of the session) and
// the system's setting changes. It never shows itself.
class CMainWnd {
public:
    explicit CMainWnd(CAppBase* app) : app(app) {}
    CMainWnd(const CMainWnd&) = delete;
    CMainWnd& operator=(const CMainWnd&) = delete;
    ~CMainWnd();

    // Registers the window class once and creates the hidden window; false on failure.
    bool Create(const tstr& title);
    // The window, or null before Create and after it was destroyed.
    HWND Handle() const { return handle; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    CAppBase* const app;
    HWND handle = nullptr;
};
