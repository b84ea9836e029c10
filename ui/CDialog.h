#pragma once

#include <windows.h>

struct KeyArgs;
struct MouseArgs;

// The base of every dialog: binds one object to one dialog window made from a template and
// routes the dialog's messages to virtual handlers. The object is kept in the dialog's
// property "DLG_ENTITY" from WM_INITDIALOG until WM_NCDESTROY; messages before
// WM_INITDIALOG get result 0 and reach no handler. Classes that combine CDialog with other
// bases inherit it virtually, so that one CDialog part exists per object.
class CDialog {
public:
    CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Destroys the dialog window when it still exists.
    virtual ~CDialog();
    // CDialog's own dispatch, whatever the overrides; for the messages a derived
    // DialogProc does not take.
    virtual INT_PTR DefDialogProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The dispatcher: handlers marked "returns" below give the dialog procedure's result,
    // all others are followed by result 0.
    virtual INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Returns. OK (id 1, code 0) calls OnOK, Cancel (id 2, code 0) OnCancel.
    virtual int OnCommand(UINT id, UINT code, HWND control);
    // Returns. command: the whole wParam, an SC_ code (its four low bits are the system's)
    // or the id of an item the program added to the system menu; x, y: the pointer in
    // screen coordinates.
    virtual int OnSysCommand(UINT command, int x, int y);
    // Returns. result points to a writable copy of the message's lParam.
    virtual int OnNotify(UINT_PTR id, NMHDR* header, LPARAM* result);
    // Returns.
    virtual int OnSetCursor(HWND window, UINT hitTest, UINT mouseMessage);
    // type: the SIZE_ code; width and height of the client area.
    virtual void OnSize(UINT type, int width, int height);
    // The client area's top-left corner in screen coordinates.
    virtual void OnMove(int x, int y);
    // Returns. The window moved to a monitor of another DPI (WM_DPICHANGED): its picture
    // buttons and navigation panes, at any depth, draw for the new DPI, and it takes the
    // rectangle the system suggests.
    virtual int OnDpiChanged(int dpi, const RECT* suggested);
    // edge: the WMSZ_ code 1 to 8; rect: the window rectangle, which the handler may change.
    virtual void OnSizing(UINT edge, RECT* rect);
    // status: the SW_ code of why the window is shown or hidden, 0 for ShowWindow.
    virtual void OnShowWindow(bool show, UINT status);
    // Ends the dialog with result 1.
    virtual void OnOK();
    // Ends the dialog with result 2.
    virtual void OnCancel();
    // Returns. Non-zero lets the dialog manager set the focus.
    virtual int OnInitDialog();
    virtual void OnDestroy();
    // Returns.
    virtual int OnCreate(const CREATESTRUCTA* creation);
    // Mouse positions are in client coordinates; keys are the MK_ flags.
    virtual void OnLButtonDown(UINT keys, int x, int y);
    virtual void OnLButtonUp(UINT keys, int x, int y);
    virtual void OnRButtonDown(UINT keys, int x, int y);
    virtual void OnRButtonUp(UINT keys, int x, int y);
    virtual void OnMouseMove(UINT keys, int x, int y);
    virtual void OnMouseLeave();
    // low: the repeat count; high: scan code and flags.
    virtual void OnKeyDown(UINT key, UINT low, UINT high);
    virtual void OnKeyUp(UINT key, UINT low, UINT high);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnPaint();
    virtual void OnDrawItem(UINT id, DRAWITEMSTRUCT* drawItem);

    // Creates the dialog and returns at once with its handle (null on failure), from the
    // template in the language of the texts (ui/UiText.h), as a Unicode window. template
    // null: an empty 1 x 1 child dialog without controls. module null: the program's.
    HWND CreateModeless(HINSTANCE module, const char* templateName, HWND parent);
    // Runs the dialog modally and returns its end result (1 for OK, 2 for Cancel by
    // default; -1 or 0 when it cannot be created). template null: an empty dialog.
    INT_PTR DoModal(HINSTANCE module, const char* templateName, HWND parent);
    // The same with a template resource id; id 0: the empty template.
    HWND CreateModeless(HINSTANCE module, int templateId, HWND parent);
    INT_PTR DoModal(HINSTANCE module, int templateId, HWND parent);

    // The dialog window, null before WM_INITDIALOG and after the window is gone.
    HWND Handle() const { return dialog; }
    bool IsModal() const { return modal != 0; }

    // The dialog procedure of every CDialog; nothing unwinds out of it into the system.
    static INT_PTR CALLBACK SharedDialogProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) noexcept;

private:
    // DialogProc's part for the mouse messages and the key messages, their arguments cracked.
    void DispatchMouse(UINT message, const MouseArgs& mouse);
    void DispatchKey(UINT message, const KeyArgs& key);

    HWND dialog = nullptr;
    int modal = 0;
};
