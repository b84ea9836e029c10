#pragma once

#include <windows.h>

class CWnd;

// The process-wide window-class factory registry: custom controls named in dialog templates
// get an object of their class although the dialog manager creates their windows. Written
// at start-up and exit on the user-interface thread; not locked.

// Makes a new object for a window the object did not create (handle set, attached).
using WindowCreateFunction = CWnd* (*)(HWND window);
// Deletes an object made by the create function.
using WindowDeleteFunction = void (*)(CWnd* object);

struct WindowFactory {
    WindowCreateFunction create;
    WindowDeleteFunction destroy;
};

// Puts an entry in front of the older ones; class names compare case-sensitively and whole.
void RegisterWindowFactory(const char* className, WindowCreateFunction create,
                           WindowDeleteFunction destroy);
// Removes the first entry of that class name, if any.
void UnregisterWindowFactory(const char* className);
// The first entry of that class name; false when there is none.
bool FindWindowFactory(const char* className, WindowFactory& factory);

// The usual RegisterFactory of a concrete class T (default-constructible, derived from
// CWnd): unless T's class is registered already, registers the window class through a
// temporary object and adds a factory entry for it, whether or not the class registration
// succeeded; T's registered flag is left to Register. Always true.
template <class T> bool RegisterFactoryOf() {
    T probe;
    if (*probe.GetRegisteredFlag())
        return true;
    probe.RegisterWndClass();
    RegisterWindowFactory(
        probe.GetClassName(),
        [](HWND window) -> CWnd* {
            T* object = new T;
            object->Attach(window);
            return object;
        },
        [](CWnd* object) { delete object; });
    return true;
}
