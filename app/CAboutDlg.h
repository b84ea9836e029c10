#pragma once

#include "resources/resource.h"
#include "ui/CDialog.h"

#include <windows.h>

// The About box (template 103): the program's icon and texts over a picture that is
// composed anew every 50 ms from the start button's artwork, so that it flickers slightly
// like a flame.
class CAboutDlg : public CDialog {
public:
    static constexpr int kTemplate = IDD_ABOUT;

    int OnCommand(UINT id, UINT code, HWND control) override;
    int OnInitDialog() override;
    void OnTimer(UINT_PTR id) override;
    void OnPaint() override;
};

// Composes the About picture onto dc: the start button's picture (bitmap 136) in fifteen
// growing, fading copies over the artwork (138), the random sizes drawn from the calling
// thread's generator.
void ComposeAboutPicture(HDC dc, HINSTANCE module);

// The About picture on black over the whole client: as composed at 96 DPI, or at any other
// DPI composed in the client's size at 96 DPI and stretched bilinearly over it, so that the
// texts, which grow with the dialog's font, keep their place on it.
void ComposeAboutPictureForDpi(HDC dc, const RECT& client, int dpi);
