#pragma once

#include "params/CParam.h"
#include "params/CParamRegSet.h"
#include "params/CSettingsStore.h"
#include "params/tstr.h"

#include <windows.h>

#include <cstdint>

// The bottom layer of the application object: the program's module, its title, the
// settings store with the root parameter set ("Options\Common") and the way out of the
// message loop. Every layer above is a class template over the layer below that adds one
// concern; each override does its own work and calls the same operation of the layer
// below explicitly. The virtual operations are declared in their fixed slot order.
class CAppBase {
public:
    CAppBase();
    CAppBase(const CAppBase&) = delete;
    CAppBase& operator=(const CAppBase&) = delete;
    virtual ~CAppBase();

    // False when the title is empty. Reads the screen's dots per inch, decides the first
    // run, lines the start-with-Windows flag up with the shortcut and registers
    // "ConfirmExit".
    virtual bool Init();
    // Removes every parameter from the root set and posts the quit message with code 0.
    virtual bool Exit();
    // The root set from "Options\Common".
    virtual bool Load();
    // The root set to "Options\Common".
    virtual bool Save();
    // With deleteSettings: deletes the application's whole key and the start-up shortcut.
    // Posts the quit message with code 0.
    virtual void Reset(bool deleteSettings);
    // Has no caller; false.
    virtual bool Reserved() { return false; }
    // The main window was asked to close: RequestExit.
    virtual int OnCloseRequest() { return RequestExit(); }
    // Asks "Quit program?" (unless "ConfirmExit" is off) and quits on OK: 1, else 0. A
    // nested call while one runs returns 0 at once.
    virtual int RequestExit();
    // Exit, then destroys the main window.
    virtual void Quit();
    // The system's settings (work area, taskbar) changed.
    virtual void OnSettingChange() {}
    virtual HWND MainWindowHandle() { return nullptr; }

    // Creates or deletes the start-up shortcut after the start-with-Windows flag.
    void ApplyStartWithWindows();
    // Sets the start-with-Windows flag from the shortcut's presence.
    void ReadStartWithWindows();

    HINSTANCE instance;
    tstr errorText{""};            // shown by the entry point when Init fails
    tstr title{""};                // tray tip, shortcut name, box title, the main window's text
    CParamRegSet rootSet;          // "Options\Common"
    CParam<bool> startWithWindows; // mirrors the start-up shortcut; in no set
    CParam<bool> confirmExit;      // "ConfirmExit"
    bool firstRun = false;         // "Options\Windows\Main" did not exist at Init
    int32_t centerOnFirstRun = 1;
    int32_t showOnFirstRun = 1;
    CSettingsStore store;
    OSVERSIONINFOEXA osVersion{};
    int32_t screenDpi = 16; // LOGPIXELSX of the screen from Init on
};
