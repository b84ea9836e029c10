#include "ui/CDialog.h"

#include "ui/CButtonWnd.h"
#include "ui/CNavPaneWnd.h"
#include "ui/MessageCrackers.h"
#include "ui/UiText.h"

#include <cstddef>

namespace {

constexpr const char* kEntityProperty = "DLG_ENTITY";
constexpr DWORD kEmptyChildStyle = WS_CHILD;
constexpr DWORD kEmptyPopupStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// A dialog template without menu, class, title or controls; one dialog unit square.
struct alignas(4) EmptyTemplate {
    DLGTEMPLATE header;
    WORD menu;
    WORD windowClass;
    WORD title;
};
static_assert(offsetof(EmptyTemplate, menu) == sizeof(DLGTEMPLATE), "template words follow");

EmptyTemplate MakeEmptyTemplate(DWORD style) {
    EmptyTemplate empty{};
    empty.header.style = style;
    empty.header.cx = 1;
    empty.header.cy = 1;
    return empty;
}

HINSTANCE ModuleOrProgram(HINSTANCE module) {
    return module ? module : GetModuleHandleA(nullptr);
}

const char* TemplateOfId(int templateId) {
    return templateId ? MAKEINTRESOURCEA(templateId) : nullptr;
}

// The picture buttons and navigation panes among a dialog's descendants draw for the DPI.
BOOL CALLBACK HandDpiTo(HWND child, LPARAM dpi) noexcept {
    if (CButtonWnd* button = ObjectOf<CButtonWnd>(child))
        button->SetDpi(static_cast<int>(dpi));
    else if (CNavPaneWnd* pane = ObjectOf<CNavPaneWnd>(child))
        pane->SetDpi(static_cast<int>(dpi));
    return TRUE;
}

} // namespace

CDialog::~CDialog() {
    if (dialog && IsWindow(dialog))
        DestroyWindow(dialog);
}

INT_PTR CDialog::DefDialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return CDialog::DialogProc(message, wParam, lParam);
}

INT_PTR CDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_MOVE: {
        const POINT corner = PointOf(lParam);
        OnMove(corner.x, corner.y);
        break;
    }
    case WM_SIZE: {
        const SizeArgs size = SizeArgsOf(wParam, lParam);
        OnSize(size.type, size.width, size.height);
        break;
    }
    case WM_PAINT:
        OnPaint();
        break;
    case WM_SHOWWINDOW:
        OnShowWindow(wParam != 0, static_cast<UINT>(lParam));
        break;
    case WM_SETCURSOR: {
        const SetCursorArgs cursor = SetCursorArgsOf(wParam, lParam);
        return OnSetCursor(cursor.window, cursor.hitTest, cursor.mouseMessage);
    }
    case WM_DRAWITEM:
        OnDrawItem(DrawItemIdOf(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        break;
    case WM_NOTIFY: {
        LPARAM result = lParam;
        return OnNotify(wParam, reinterpret_cast<NMHDR*>(lParam), &result);
    }
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(CommandIdOf(wParam), CommandCodeOf(wParam),
                         reinterpret_cast<HWND>(lParam));
    case WM_SYSCOMMAND: {
        const SysCommandArgs command = SysCommandArgsOf(wParam, lParam);
        return OnSysCommand(command.command, command.screen.x, command.screen.y);
    }
    case WM_TIMER:
        OnTimer(wParam);
        break;
    case WM_SIZING:
        OnSizing(SizingEdgeOf(wParam), reinterpret_cast<RECT*>(lParam));
        break;
    case WM_DPICHANGED:
        return OnDpiChanged(DpiOf(wParam), reinterpret_cast<const RECT*>(lParam));
    case WM_MOUSELEAVE:
        OnMouseLeave();
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        DispatchMouse(message, MouseArgsOf(wParam, lParam));
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        DispatchKey(message, KeyArgsOf(wParam, lParam));
        break;
    default:
        break;
    }
    return 0;
}

void CDialog::DispatchMouse(UINT message, const MouseArgs& mouse) {
    const auto [keys, point] = mouse;
    switch (message) {
    case WM_MOUSEMOVE:
        OnMouseMove(keys, point.x, point.y);
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(keys, point.x, point.y);
        break;
    case WM_LBUTTONUP:
        OnLButtonUp(keys, point.x, point.y);
        break;
    case WM_RBUTTONDOWN:
        OnRButtonDown(keys, point.x, point.y);
        break;
    case WM_RBUTTONUP:
        OnRButtonUp(keys, point.x, point.y);
        break;
    default:
        break;
    }
}

void CDialog::DispatchKey(UINT message, const KeyArgs& key) {
    if (message == WM_KEYDOWN)
        OnKeyDown(key.key, key.repeat, key.flags);
    else
        OnKeyUp(key.key, key.repeat, key.flags);
}

int CDialog::OnCommand(UINT id, UINT code, HWND) {
    if (code == 0 && id == IDOK)
        OnOK();
    else if (code == 0 && id == IDCANCEL)
        OnCancel();
    return 0;
}

int CDialog::OnDpiChanged(int dpi, const RECT* suggested) {
    EnumChildWindows(dialog, HandDpiTo, static_cast<LPARAM>(dpi));
    if (!suggested)
        return 0;
    SetWindowPos(dialog, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return 1;
}

int CDialog::OnSysCommand(UINT, int, int) {
    return 0;
}

int CDialog::OnNotify(UINT_PTR, NMHDR*, LPARAM*) {
    return 1;
}

int CDialog::OnSetCursor(HWND, UINT, UINT) {
    return 0;
}

void CDialog::OnSize(UINT, int, int) {}

void CDialog::OnMove(int, int) {}

void CDialog::OnSizing(UINT, RECT*) {}

void CDialog::OnShowWindow(bool, UINT) {}

void CDialog::OnOK() {
    EndDialog(dialog, IDOK);
}

void CDialog::OnCancel() {
    EndDialog(dialog, IDCANCEL);
}

int CDialog::OnInitDialog() {
    return 1;
}

void CDialog::OnDestroy() {}

int CDialog::OnCreate(const CREATESTRUCTA*) {
    return 0;
}

void CDialog::OnLButtonDown(UINT, int, int) {}

void CDialog::OnLButtonUp(UINT, int, int) {}

void CDialog::OnRButtonDown(UINT, int, int) {}

void CDialog::OnRButtonUp(UINT, int, int) {}

void CDialog::OnMouseMove(UINT, int, int) {}

void CDialog::OnMouseLeave() {}

void CDialog::OnKeyDown(UINT, UINT, UINT) {}

void CDialog::OnKeyUp(UINT, UINT, UINT) {}

void CDialog::OnTimer(UINT_PTR) {}

void CDialog::OnPaint() {}

void CDialog::OnDrawItem(UINT, DRAWITEMSTRUCT*) {}

HWND CDialog::CreateModeless(HINSTANCE module, const char* templateName, HWND parent) {
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    if (templateName) {
        const DLGTEMPLATE* found = FindUiDialog(ModuleOrProgram(module), templateName);
        dialog = found ? CreateDialogIndirectParamW(ModuleOrProgram(module), found, parent,
                                                    SharedDialogProc, self)
                       : nullptr;
    } else {
        const EmptyTemplate empty = MakeEmptyTemplate(kEmptyChildStyle);
        dialog = CreateDialogIndirectParamA(ModuleOrProgram(module), &empty.header, parent,
                                            SharedDialogProc, self);
    }
    return dialog;
}

INT_PTR CDialog::DoModal(HINSTANCE module, const char* templateName, HWND parent) {
    modal = 1;
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    if (templateName) {
        const DLGTEMPLATE* found = FindUiDialog(ModuleOrProgram(module), templateName);
        return found ? DialogBoxIndirectParamW(ModuleOrProgram(module), found, parent,
                                               SharedDialogProc, self)
                     : -1;
    }
    const EmptyTemplate empty = MakeEmptyTemplate(kEmptyPopupStyle);
    return DialogBoxIndirectParamA(ModuleOrProgram(module), &empty.header, parent, SharedDialogProc,
                                   self);
}

HWND CDialog::CreateModeless(HINSTANCE module, int templateId, HWND parent) {
    return CreateModeless(module, TemplateOfId(templateId), parent);
}

INT_PTR CDialog::DoModal(HINSTANCE module, int templateId, HWND parent) {
    return DoModal(module, TemplateOfId(templateId), parent);
}

INT_PTR CALLBACK CDialog::SharedDialogProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) noexcept {
    if (message == WM_SETFONT)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_INITDIALOG) {
        auto* object = reinterpret_cast<CDialog*>(lParam);
        if (!object)
            return 0;
        SetPropA(window, kEntityProperty, object);
        object->dialog = window;
    }
    auto* object = static_cast<CDialog*>(GetPropA(window, kEntityProperty));
    if (!object)
        return 0;
    const INT_PTR result = object->DialogProc(message, wParam, lParam);
    // The last message: the object outlives its window and keeps no handle to it.
    if (message == WM_NCDESTROY) {
        RemovePropA(window, kEntityProperty);
        object->dialog = nullptr;
    }
    return result;
}
