#pragma once

#include "params/CSettingsStore.h"
#include "params/tstr.h"

#include <windows.h>

// The bottom layer of the application object: the program's module, its title, the
// settings store and the way out of the message loop. Every layer above is a template
// over the layer below that adds one concern and calls the operation below explicitly.
// The virtual operations are declared in their fixed slot order.
class CAppBase {
public:
    CAppBase();
    CAppBase(const CAppBase&) = delete;
    CAppBase& operator=(const CAppBase&) = delete;
    virtual ~CAppBase() = default;

    // False when the title is empty.
    virtual bool Init();
    // Marks the run as ended and posts the quit message with code 0.
    virtual bool Exit();
    virtual bool Load() { return true; }
    virtual bool Save() { return true; }
    // The main window was asked to close.
    virtual int OnCloseRequest() { return RequestExit(); }
    // Quits; a nested call while one runs returns 0 at once.
    virtual int RequestExit();
    // Exit, then destroys the main window.
    virtual void Quit();
    // The system's settings (work area, taskbar) changed.
    virtual void OnSettingChange() {}
    virtual HWND MainWindowHandle() { return nullptr; }

    // True once Exit ran.
    bool HasExited() const { return exited; }

    HINSTANCE instance;
    tstr errorText{""}; // shown by the entry point when Init fails
    tstr title{""};     // the main window's text
    CSettingsStore store;

private:
    bool exited = false;
};
