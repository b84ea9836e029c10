#pragma once

#include "ui/CDialog.h"
#include "ui/CSizer.h"

#include <windows.h>

#include <memory>

// A resizable dialog: its sizer (made at WM_INITDIALOG, deleted at WM_DESTROY) lays the
// anchored controls out at every WM_SIZE and keeps the window within its size limits at
// WM_SIZING. Derived dialogs add their controls to Sizer() after CDialogSize::OnInitDialog.
// The window rectangle at destruction stays readable as the last rectangle.
class CDialogSize : public virtual CDialog {
public:
    CDialogSize() = default;
    ~CDialogSize() override;

    // Lays the anchors out for the new client size.
    void OnSize(UINT type, int width, int height) override;
    void OnSizing(UINT edge, RECT* rect) override;
    // Makes the sizer (0 when it cannot be made) and gives OK and Cancel the
    // clip-siblings style, so that controls moving under them do not paint over them.
    int OnInitDialog() override;
    // Records the last rectangle and deletes the sizer.
    void OnDestroy() override;

    // The sizer while the dialog exists, null otherwise.
    CSizer* Sizer() const { return sizer.get(); }
    // The screen position and size of the window when it was destroyed; 0 before.
    int LastLeft() const { return lastLeft; }
    int LastTop() const { return lastTop; }
    int LastWidth() const { return lastWidth; }
    int LastHeight() const { return lastHeight; }

private:
    std::unique_ptr<CSizer> sizer;
    int lastLeft = 0;
    int lastTop = 0;
    int lastWidth = 0;
    int lastHeight = 0;
};
