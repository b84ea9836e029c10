#pragma once

#include "ui/WindowFactory.h"

#include <windows.h>

struct KeyArgs;
struct MouseArgs;

// The base of every custom window: binds one object to one native window and routes the
// window's messages to virtual handlers. The object is kept in the window property
// kEntityProperty from WM_NCCREATE until WM_DESTROY; FromHandle and ObjectOf read it. Every
// concrete class supplies GetRegisteredFlag and GetClassName.
//
// Three states: without a window; owning a window it created (Create); driving a window it
// did not create (attached, by Attach or by the factory registry). An attached window is
// never destroyed by its object.
class CWnd {
public:
    // The window property that holds a window's object.
    static constexpr const char* kEntityProperty = "WND_ENTITY";

    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Detaches an attached window, destroys an owned one.
    virtual ~CWnd();
    // Registers the window class once; true while it is registered by this class.
    virtual bool Register();
    // Fills the class description, lets PreRegisterClass change it, registers it; the atom,
    // 0 on failure.
    virtual ATOM RegisterWndClass();
    // The class's own static registered flag.
    virtual bool* GetRegisteredFlag() = 0;
    virtual void PreRegisterClass(WNDCLASSEXA& description);
    // Creates the window with this object as its creation data; 0 when a window already
    // exists or creation fails.
    virtual int Create(DWORD exStyle, DWORD style, int x, int y, int width, int height, HWND parent,
                       HMENU menuOrId);
    // As above at the system's default horizontal position and width, y and height 0.
    virtual int Create(DWORD exStyle, DWORD style, HWND parent, HMENU menuOrId);
    // Dispatches the thread's messages until the window no longer exists; returns 1.
    virtual int RunModalLoop();
    // Detaches an attached window or destroys an owned one; the fields are reset.
    virtual int Destroy();
    // Takes a window this object did not create; returns 1.
    virtual int Attach(HWND window);
    // Lets go of an attached window; 0 when not attached.
    virtual int Detach();
    virtual bool IsCreated();
    // The dispatcher: blocking-window check, then the handlers, then default processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Returning 0 makes the creation fail.
    virtual int OnNcCreate(const CREATESTRUCTA* creation);
    // Returning -1 makes the creation fail.
    virtual int OnCreate(const CREATESTRUCTA* creation);
    virtual int OnDestroy();
    virtual int OnCommand(UINT id, UINT code, HWND control);
    // Validates the window.
    virtual int OnPaint();
    // Invalidates the whole window (erasing the background when asked) and updates it now.
    virtual int Redraw(bool erase);
    virtual void SetBlockingWindow(HWND window);
    virtual void ClearBlockingWindow();
    // Mouse positions are in client coordinates, except the wheel's, which is in screen
    // coordinates; keys are the MK_ flags.
    virtual int OnMouseMove(UINT keys, int x, int y);
    virtual int OnMouseWheel(UINT keys, int delta, int screenX, int screenY);
    virtual int OnLButtonDown(UINT keys, int x, int y);
    virtual int OnLButtonUp(UINT keys, int x, int y);
    virtual int OnRButtonDown(UINT keys, int x, int y);
    virtual int OnRButtonUp(UINT keys, int x, int y);
    virtual void OnMouseLeave();
    virtual void OnLButtonDblClk(UINT keys, int x, int y);
    // low: the repeat count; high: scan code and flags.
    virtual void OnKeyDown(UINT key, UINT low, UINT high);
    virtual void OnKeyUp(UINT key, UINT low, UINT high);
    // Non-zero: handled, the result; zero: the default procedure handles the key too.
    virtual int OnSysKeyDown(UINT key, UINT low, UINT high);
    virtual int OnSysKeyUp(UINT key, UINT low, UINT high);
    // type: the SIZE_ code; width and height of the client area.
    virtual int OnSize(UINT type, int width, int height);
    virtual int OnTimer(UINT_PTR id);
    // The window-class name.
    virtual const char* GetClassName() = 0;

    // The window, null when none.
    HWND Handle() const { return window; }
    bool IsAttached() const { return attached; }
    bool IsCreatedByFactory() const { return createdByFactory; }
    HWND GetBlockingWindow() const { return blockingWindow; }

    // The object bound to the window; null for none (also a null or a foreign window).
    static CWnd* FromHandle(HWND window);
    // True when the window's class name is className.
    static bool HasClassName(HWND window, const char* className);

    // The window procedure of every CWnd class; nothing unwinds out of it into the system.
    static LRESULT CALLBACK SharedWindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) noexcept;

protected:
    // Default processing: the previous window procedure when set, else the system's.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // True when the blocking window refuses this message (and has been brought forward).
    bool RefusedByBlockingWindow(UINT message, WPARAM wParam);
    // The handlers' part of WindowProc; false when no handler takes the message.
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The same for the mouse messages and the key messages, with their arguments cracked.
    bool DispatchMouse(UINT message, const MouseArgs& mouse, LRESULT& result);
    bool DispatchKey(UINT message, const KeyArgs& key, LRESULT& result);
    static LRESULT OnNcCreateMessage(HWND window, WPARAM wParam, LPARAM lParam);
    static LRESULT OnDestroyMessage(HWND window, CWnd* object, WPARAM wParam, LPARAM lParam);
    // WindowProc with the object's handler depth counted; a deletion asked for meanwhile
    // happens when the outermost handler has returned.
    static LRESULT CountedWindowProc(CWnd* object, UINT message, WPARAM wParam, LPARAM lParam);
    // Unbinds the object from its dying window: a factory-made object is deleted (once no
    // handler of it is on the stack any more), any other loses its handle.
    static void Forget(HWND window, CWnd* object);

    HWND window = nullptr;
    WNDPROC previousProc = nullptr;
    bool attached = false;
    bool createdByFactory = false;
    HWND blockingWindow = nullptr;
    int handlerDepth = 0;                         // handlers of this object on the stack
    WindowDeleteFunction pendingDelete = nullptr; // set when the window died meanwhile
};

// The object of type T bound to the window, checked by the window's class name (T's
// kClassName); null for a window of another class or without an object.
template <class T> T* ObjectOf(HWND window) {
    return CWnd::HasClassName(window, T::kClassName) ? static_cast<T*>(CWnd::FromHandle(window))
                                                     : nullptr;
}
