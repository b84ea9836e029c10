#include "ui/CDialogSize.h"

#include <new>

namespace {

void AddClipSiblings(HWND button) {
    if (!button)
        return;
    const LONG_PTR style = GetWindowLongPtrA(button, GWL_STYLE);
    SetWindowLongPtrA(button, GWL_STYLE, style | WS_CLIPSIBLINGS);
}

} // namespace

// Destroys the window while the object is still a CDialogSize, so that OnDestroy records
// the last rectangle.
CDialogSize::~CDialogSize() {
    if (Handle() && IsWindow(Handle()))
        DestroyWindow(Handle());
}

void CDialogSize::OnSize(UINT type, int width, int height) {
    (void)type;
    if (sizer)
        sizer->Layout(width, height);
}

void CDialogSize::OnSizing(UINT edge, RECT* rect) {
    if (sizer)
        sizer->LimitSizing(edge, rect);
}

int CDialogSize::OnInitDialog() {
    sizer.reset(new (std::nothrow) CSizer(Handle()));
    if (!sizer || !sizer->IsActive()) {
        sizer.reset();
        return 0;
    }
    AddClipSiblings(GetDlgItem(Handle(), IDOK));
    AddClipSiblings(GetDlgItem(Handle(), IDCANCEL));
    return 1;
}

void CDialogSize::OnDestroy() {
    RECT rect{};
    if (GetWindowRect(Handle(), &rect)) {
        lastLeft = rect.left;
        lastTop = rect.top;
        lastWidth = rect.right - rect.left;
        lastHeight = rect.bottom - rect.top;
    }
    sizer.reset();
}
